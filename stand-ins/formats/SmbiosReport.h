// The system report's pages: a page template with placeholders, filled from
// the firmware's SMBIOS table. A placeholder is an HTML comment, so that an
// unfilled template still shows as a page:
//
//   <!--DMI:BIOS-->       the BIOS record          <!--DMI:SYSTEM-->  the system
//   <!--DMI:BOARD-->      the board                <!--DMI:PROCESSOR--> the processors
//   <!--DMI:MEMORY-->     the memory devices       <!--DMI:SMBIOS-->  the table's version
//   <!--DMI:KIND-->       the board type asked for ("MB", or "WB" for kind 1)
//
// A value the firmware left blank or does not give reads "not reported"; a
// record the table lacks, and a missing table, are said in words.
#pragma once

#include <optional>
#include <string>

#include "stand-ins/formats/Smbios.h"

namespace pikko {

inline constexpr char kNotReported[] = "not reported";

std::string FillReportPage(const std::string& page, const std::optional<SmbiosTable>& table,
                           int kind);

// Text made safe for a page: markup characters as entities, control
// characters as "?".
std::string HtmlText(const std::string& text);

// A size in kilobytes as the report shows it: 16 GB, 512 MB, 64 KB.
std::string SizeText(std::uint64_t kilobytes);

}  // namespace pikko
