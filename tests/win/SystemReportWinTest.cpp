// The report library stand-in through the real DLL, the system report button
// over the real shell copy, and the demo help file through the system's own
// reader of compiled help files.
#include <windows.h>

#include <urlmon.h>

#include <cstring>

#include <gtest/gtest.h>

#include "actions/SideButtons.h"
#include "demo/DemoManuals.h"
#include "stand-ins/formats/Smbios.h"
#include "stand-ins/formats/SmbiosReport.h"
#include "platform/ScopedWin.h"
#include "platform/Win32Ports.h"
#include "platform/fakes/FakePorts.h"
#include "tests/TempFolder.h"
#include "tests/win/ManualsTestSupport.h"

namespace pikko {
namespace {

namespace fs = std::filesystem;

fs::path Payload() { return fs::path(PIKKO_BINARY_DIR) / "stand-ins-payload"; }

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::optional<SmbiosTable> SystemTable() {
  const DWORD rsmb = 'R' << 24 | 'S' << 16 | 'M' << 8 | 'B';
  const UINT size = ::GetSystemFirmwareTable(rsmb, 0, nullptr, 0);
  if (size == 0) return std::nullopt;
  std::vector<std::uint8_t> raw(size);
  if (::GetSystemFirmwareTable(rsmb, 0, raw.data(), size) != size) return std::nullopt;
  return ParseRawSmbios(raw);
}

class ReportLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(Payload() / "ARunDmi.dll"));
    fs::copy_file(Payload() / "ARunDmi.dll", temp_.Path() / "ARunDmi.dll");
    library_.Reset(::LoadLibraryA((temp_.Path() / "ARunDmi.dll").string().c_str()));
    ASSERT_TRUE(library_);
    fill_ = reinterpret_cast<DmiGetSysInfoExProc>(
        reinterpret_cast<void*>(::GetProcAddress(library_.Get(), "DMI_GetSysInfoEx")));
    ASSERT_NE(fill_, nullptr);
  }
  testing::TempFolder temp_;
  win::ScopedModule library_;
  DmiGetSysInfoExProc fill_ = nullptr;
};

TEST_F(ReportLibrary, FillsTheTemplateFromTheFirmwaresTable) {
  const std::string page = demo::ReportTemplatePage();
  temp_.Write("Report/ZkDmi.htm", page);
  temp_.Write("Report/Second.htm", "<p><!--DMI:BOARD--></p>");
  const std::string folder = (temp_.Path() / "Report").string();
  EXPECT_EQ(fill_(folder.c_str(), 1), 1);

  const std::string filled = ReadAll(temp_.Path() / "Report" / "ZkDmi.htm");
  EXPECT_EQ(filled.find("<!--DMI:"), std::string::npos);
  // The library's page is the table this system returns, filled as the
  // portable filler fills it.
  const std::optional<SmbiosTable> table = SystemTable();
  EXPECT_EQ(filled, FillReportPage(page, table, 1));
  EXPECT_EQ(ReadAll(temp_.Path() / "Report" / "Second.htm"),
            FillReportPage("<p><!--DMI:BOARD--></p>", table, 1));
  if (table && !table->bios.empty() && table->bios[0].vendor.value_or("").empty()) {
    EXPECT_NE(filled.find("<td class=\"none\">not reported</td>"), std::string::npos);
  }
  std::printf("[ info ] firmware table: %s\n",
              table ? ("SMBIOS " + std::to_string(table->majorVersion) + "." +
                       std::to_string(table->minorVersion) + ", " +
                       std::to_string(table->structures) + " records")
                          .c_str()
                    : "none");
}

TEST_F(ReportLibrary, AFolderWithoutAStartPageGetsOne) {
  fs::create_directories(temp_.Path() / "Empty");
  EXPECT_EQ(fill_((temp_.Path() / "Empty").string().c_str(), 0), 1);
  const std::string page = ReadAll(temp_.Path() / "Empty" / "ZkDmi.htm");
  EXPECT_NE(page.find("<h2>BIOS</h2>"), std::string::npos);
  EXPECT_EQ(page.find("<!--DMI:"), std::string::npos);
  EXPECT_EQ(fill_((temp_.Path() / "Missing").string().c_str(), 0), 0);
  EXPECT_EQ(fill_(nullptr, 0), 0);
  EXPECT_EQ(fill_("", 0), 0);
}

// The system report button with the real library, shell copy and files;
// the Windows folder is a test folder, and the page's open is recorded.
class ReportButton : public ::testing::Test {
 protected:
  void SetUp() override {
    char here[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, here);
    cwd_ = here;
    fs::create_directories(windows_);
    fs::create_directories(program_);
    version_.version = OsVersionInfo{6, 1, 7601, 2, 1, 0};
  }
  void TearDown() override { ::SetCurrentDirectoryA(cwd_.c_str()); }

  void Click() {
    Ports ports = Win32Ports();
    testing::ProgramInFolder folders(*ports.folders, (program_ / "Pikko.exe").string(),
                                     windows_.string());
    ports.folders = &folders;
    ports.messages = &messages_;
    ports.shell = &shell_;
    ports.version = &version_;
    ScopedPorts scope(ports);
    sidebuttons::zkbMBClick({program_.string() + "\\", nullptr, "MB"});
  }

  testing::TempFolder temp_;
  fs::path windows_ = temp_.Path() / "WIN";
  fs::path program_ = temp_.Path() / "Disc" / "AUTORUN";
  std::string cwd_;
  fakes::FakeMessageBoxes messages_;
  fakes::FakeShell shell_;
  fakes::FakeVersion version_;
};

TEST_F(ReportButton, CopiesTheTemplateFillsItAndOpensIt) {
  fs::copy_file(Payload() / "ARunDmi.dll", program_ / "ARunDmi.dll");
  temp_.Write("Disc/AUTORUN/ZkDmiHtm/ZkDmi.htm", demo::ReportTemplatePage());
  temp_.Write("WIN/ZkDmiHtm/ZkDmi.htm", "an earlier report");  // overwritten without asking
  Click();
  EXPECT_TRUE(messages_.shown.empty()) << messages_.shown.at(0).text;
  const fs::path page = windows_ / "ZkDmiHtm" / "ZkDmi.htm";
  const std::string report = ReadAll(page);
  EXPECT_NE(report.find("System Report"), std::string::npos);
  EXPECT_EQ(report.find("<!--DMI:"), std::string::npos);
  ASSERT_EQ(shell_.calls.size(), 1u);
  EXPECT_EQ(shell_.calls[0].file, page.string());
  EXPECT_EQ(shell_.calls[0].verb, "open");
}

TEST_F(ReportButton, AMissingTemplateOrLibraryIsReported) {
  fs::copy_file(Payload() / "ARunDmi.dll", program_ / "ARunDmi.dll");
  Click();  // no ZkDmiHtm folder beside the program
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, "Can't create ZkDmiBrowser");
  EXPECT_TRUE(shell_.calls.empty());

  messages_.shown.clear();
  ::SetCurrentDirectoryA(cwd_.c_str());
  fs::remove(program_ / "ARunDmi.dll");
  Click();
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, "Can't load ARunDmi.dll.");
}

// The system's own reader of compiled help files: the protocol handler
// the help viewer shows its pages through, driven here without a browser.
class ProtocolClient final : public IInternetProtocolSink, public IInternetBindInfo {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IInternetProtocolSink) {
      *out = static_cast<IInternetProtocolSink*>(this);
    } else if (riid == IID_IInternetBindInfo) {
      *out = static_cast<IInternetBindInfo*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE Switch(PROTOCOLDATA*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ReportProgress(ULONG, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ReportData(DWORD, ULONG, ULONG total) override {
    size = total;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ReportResult(HRESULT hr, DWORD, LPCWSTR) override {
    result = hr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO* info) override {
    *flags = 0;
    const DWORD cb = info->cbSize;
    std::memset(info, 0, cb);
    info->cbSize = cb;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetBindString(ULONG, LPOLESTR*, ULONG, ULONG* fetched) override {
    *fetched = 0;
    return E_NOTIMPL;
  }
  ULONG size = 0;
  HRESULT result = E_PENDING;
};

const CLSID kClsidItsProtocol = {
    0x9d148291, 0xb9c8, 0x11d0, {0xa4, 0xcc, 0x00, 0x00, 0xf8, 0x01, 0x49, 0xf6}};

std::string ReadFromHelpFile(const std::string& file, const std::string& inner) {
  win::ComPtr<IInternetProtocol> protocol;
  if (FAILED(::CoCreateInstance(kClsidItsProtocol, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IInternetProtocol, reinterpret_cast<void**>(protocol.Put()))))
    return "(no protocol handler)";
  wchar_t url[2 * MAX_PATH];
  if (::MultiByteToWideChar(CP_ACP, 0, ("its:" + file + "::/" + inner).c_str(), -1, url,
                            static_cast<int>(std::size(url))) == 0)
    return "(name too long)";
  ProtocolClient client;
  const HRESULT started = protocol->Start(url, &client, &client, 0, 0);
  if (FAILED(started) || FAILED(client.result)) return "(cannot open " + inner + ")";
  std::string bytes;
  char buffer[512];
  ULONG got = 0;
  while (protocol->Read(buffer, sizeof buffer, &got) == S_OK && got > 0) bytes.append(buffer, got);
  protocol->Terminate(0);
  if (bytes.size() != client.size) return "(short read of " + inner + ")";
  return bytes;
}

TEST(DemoHelpFile, TheSystemsHelpReaderOpensItsPages) {
  testing::TempFolder temp;
  const std::string file = temp.Write("PCHelper.chm", demo::HelpFileBytes());
  const win::ComInit com;
  const std::string page = ReadFromHelpFile(file, "index.htm");
  EXPECT_EQ(page.rfind("<html>", 0), 0u) << page.substr(0, 200);
  EXPECT_NE(page.find("Support Disc Help"), std::string::npos);
  const std::string system = ReadFromHelpFile(file, "#SYSTEM");
  EXPECT_NE(system.find(std::string("index.htm") + '\0'), std::string::npos)
      << system.substr(0, 60);
}

}  // namespace
}  // namespace pikko
