#pragma once
// The 32 host and account columns every log row carries, and the columns around them.

#include <array>
#include <string>
#include <string_view>

#include "core/data/host_record.h"
#include "core/data/project_record.h"

namespace tessarin {

// The 32 columns, each followed by ','.
std::string FormatSharedBlock(const HostRecord& host, const ProjectRecord& project);

// Names of the 32 block columns, in order.
extern const std::array<const char*, 32> kSharedBlockColumns;

// Columns holding integers that older versions wrote with a fraction.
extern const std::array<const char*, 14> kIntegerColumns;
// Columns holding Unix seconds (shown in local time by the History window).
extern const std::array<const char*, 5> kUnixTimeColumns;
// Einstein@Home search-range time columns.
extern const std::array<const char*, 4> kEinsteinTimeColumns;

// core_client_major_version "." minor padded to two digits: 5 and 4 give "5.04".
std::string FormatBoincVersion(std::string_view major, std::string_view minor);

// This program's version for the "tess_version" column: major "." minor release ("1.52").
std::string TessVersion();

}  // namespace tessarin
