// The menu's PNG pictures through the disc's PNG library, "pngio.dll": the
// library decodes, the menu turns its rows into a pixel buffer. The record
// and the entry points below are the library's binary interface (the shipped
// menu and the library are 32-bit, standard call); the stand-in library of
// the demo disc is checked against them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "toolkit/Pixels.h"
#include "platform/CallingConvention.h"

namespace pikko {

inline constexpr char kPngLibrary[] = "pngio.dll";

// One decoded picture, filled by ReadPngEx and released by FreePngData.
struct PngImageRecord {
  std::uint32_t width;
  std::uint32_t height;
  std::uint32_t libraryField8;  // the library's own; the menu never reads it
  // kPngColourTypeRgba: 4 bytes a pixel, red, green, blue, alpha; any other
  // value: 3 bytes, red, green, blue.
  std::uint32_t colourType;
  std::uint32_t libraryField16;  // the library's own; the menu never reads it
  // height pointers, each to one row of pixel bytes, top row first.
  std::uint8_t** rows;
};
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(PngImageRecord) == 24, "the library's record is 24 bytes");
static_assert(offsetof(PngImageRecord, rows) == 20, "the rows pointer follows five words");
#else
// The 64-bit build: the rows pointer is pointer-sized and aligned.
static_assert(sizeof(PngImageRecord) == 32, "five words, padding, a pointer");
static_assert(offsetof(PngImageRecord, rows) == 24, "the rows pointer is 8-byte aligned");
#endif
static_assert(offsetof(PngImageRecord, width) == 0 && offsetof(PngImageRecord, height) == 4 &&
                  offsetof(PngImageRecord, libraryField8) == 8 &&
                  offsetof(PngImageRecord, colourType) == 12 &&
                  offsetof(PngImageRecord, libraryField16) == 16,
              "the record's words lie where the library writes them");

inline constexpr std::uint32_t kPngColourTypeRgb = 2;
inline constexpr std::uint32_t kPngColourTypeRgba = 6;

// The library pulls the file through this: up to count bytes into buffer;
// returns how many it placed there, 0 at the end of the file.
using PngReadFunction = std::uint32_t(PIKKO_STDCALL*)(void* userData, void* buffer,
                                                      std::uint32_t count);
// And pushes a written file through this; returns how many bytes it took.
using PngWriteFunction = std::uint32_t(PIKKO_STDCALL*)(void* userData, const void* buffer,
                                                       std::uint32_t count);

// "ReadPngEx": non-zero when the record was filled; on 0 it is not used.
using ReadPngExProc = int(PIKKO_STDCALL*)(PngImageRecord* record, PngReadFunction read,
                                          void* userData);
// "WritePngEx": encodes the record's rows; non-zero on success.
using WritePngExProc = int(PIKKO_STDCALL*)(const PngImageRecord* record, PngWriteFunction write,
                                           void* userData);
// "FreePngData": releases the rows the library allocated and empties the record.
using FreePngDataProc = void(PIKKO_STDCALL*)(PngImageRecord* record);
// "AllocatePngData": rows for the record's width, height and colour type,
// released by FreePngData; non-zero on success.
using AllocatePngDataProc = int(PIKKO_STDCALL*)(PngImageRecord* record);

// The largest picture the menu takes from the library (its own pictures are
// buttons of a few dozen pixels): bigger records are refused.
inline constexpr std::uint32_t kMaxPngSide = 16384;
inline constexpr std::uint64_t kMaxPngPixels = std::uint64_t{1} << 26;

// Turns a filled record into a 32-bit (want32) or 24-bit buffer: the
// record's red, green, blue become the buffer's blue, green, red. In 32
// bits an RGBA record gives its alpha, and a pixel of alpha 0 gets colour
// 0; any other record gives alpha 255. False, and the destination is left
// as it was, for a record without pixels or rows or beyond the limits.
bool ConvertPngRows(const PngImageRecord& record, PixelBuffer& destination, bool want32);

// Where ReadPng takes a file's bytes from: up to count bytes into buffer;
// returns how many it placed there, 0 at the end or on an error.
using PngByteSource = std::function<std::size_t(std::uint8_t* buffer, std::size_t count)>;

// The process-wide gateway to the PNG library.
class PngManager {
 public:
  // The one manager, made on first use from "pngio.dll" in the program's
  // folder and kept for the life of the process (the library stays loaded).
  // A library that cannot be loaded is a broken installation: the check
  // "m_hinst" of PngReader fails. So does one without ReadPngEx or
  // FreePngData, which every picture needs.
  static PngManager& Instance();

  // Decodes one PNG pulled from source into destination (see
  // ConvertPngRows). False when the library rejects the file or hands out
  // a record that cannot be used; the destination is then left as it was.
  bool ReadPng(const PngByteSource& source, PixelBuffer& destination, bool want32) const;

  // For tests: forgets the manager, so that the next Instance() loads the
  // library anew through the ports in force.
  static void ResetForTests();

 private:
  PngManager();

  void* m_hinst = nullptr;
  ReadPngExProc readPngEx_ = nullptr;
  WritePngExProc writePngEx_ = nullptr;
  FreePngDataProc freePngData_ = nullptr;
  AllocatePngDataProc allocatePngData_ = nullptr;
};

enum class PngFileResult {
  Loaded,      // the buffer holds the picture, 32-bit
  Rejected,    // the library refused the file; the buffer is as it was
  CannotOpen,  // the file cannot be opened for reading; the buffer is as it was
};

// Loads a PNG file (path in the system code page) into a 32-bit buffer
// through PngManager::Instance(), reading the file as a byte stream.
PngFileResult LoadPngFile(const std::string& path, PixelBuffer& bitmap);

}  // namespace pikko
