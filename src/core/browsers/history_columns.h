#pragma once
// The History window's grid columns: column 0 "nr" (the row number), then the 46 log columns
// of boinc.csv in the order the logger writes them.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

inline constexpr std::size_t kLogColumnCount = 46;
inline constexpr std::size_t kHistoryColumnCount = kLogColumnCount + 1;

// Grid columns the statistics and the filter read.
namespace history_columns {
inline constexpr std::size_t kNumber = 0;
inline constexpr std::size_t kProject = 2;
inline constexpr std::size_t kApplication = 3;
inline constexpr std::size_t kHost = 4;
inline constexpr std::size_t kAppVersion = 40;
inline constexpr std::size_t kCpu = 43;
inline constexpr std::size_t kError = 45;
}  // namespace history_columns

inline constexpr const char* kNumberColumnCaption = "nr";

// Shows nr, date, project_name, domain_name, user_total_credit, user_expavg_credit,
// result_name, cpu, error and error_txt.
inline constexpr const char* kDefaultHistoryMask =
    "11101000000000000000000000011000000000000011011";

// Log columns holding seconds since 1970 (UTC), shown as local time: fixed-width
// "yyyy.mm.dd hh:nn:ss" texts, so sorting them as text sorts them by time.
inline constexpr std::array<const char*, 5> kHistoryTimeColumns = {
    "last_update", "user_create_time", "host_create_time", "exp_avg_mod_time", "deadline"};

// The 46 log column names, taken from the header the logger writes.
const std::vector<std::string>& LogColumns();
// "nr" followed by the log column names: the grid's header row.
std::vector<std::string> HistoryGridHeader();

// The stored History/Selected mask when it has exactly one character per column, else the
// default mask.
std::string ChooseColumnMask(std::string_view storedMask, std::size_t columnCount);

}  // namespace tessarin
