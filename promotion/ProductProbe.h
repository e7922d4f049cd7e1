// The product probe of a promotion page shown "ByDynamic": a library on the
// disc that tells whether the promoted product suits this computer. The menu
// only calls it; what the library looks at is its own business.
//
// The entry-point type below is the probe libraries' binary interface; the
// stand-in probe of the demo disc is checked against it.
#pragma once

#include <cstdint>
#include <string>

// The probe libraries use the C calling convention, also on 32-bit Windows;
// elsewhere (64-bit Windows, the host build) there is only one.
#if defined(_WIN32) && !defined(_WIN64)
#define PIKKO_CDECL __cdecl
#else
#define PIKKO_CDECL
#endif

namespace pikko {

inline constexpr char kProbeExport[] = "ZEKAIoControl";

// "ZEKAIoControl": five request words (the menu passes zeros), then a 32-bit
// and a one-byte result slot the library may fill. 1 means "present".
using ZekaIoControlProc = std::int32_t(PIKKO_CDECL*)(std::uint32_t, std::uint32_t, std::uint32_t,
                                                     std::uint32_t, std::uint32_t,
                                                     std::uint32_t* status, std::uint8_t* flag);

// Loads program folder + dllName (through the library port, so it stays
// loaded) and asks it. False for an empty name, a program without a known
// folder, a library that does not load or lacks the export, and any answer
// other than 1. The result slots are not looked at.
bool ProbeReportsProduct(const std::string& dllName);

}  // namespace pikko
