#pragma once
// CSV quoting, splitting and column mapping shared by every log writer and reader.
// Field numbers are 1-based.

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessarin {

inline constexpr int kMaxCsvFields = 100;
inline constexpr std::size_t kMaxCsvFieldLength = 255;
// Logs saved back from a spreadsheet may start with a UTF-8 byte-order mark; readers pass
// over it.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Exactly 100 fields, numbered 1..100; unfilled ones are empty.
class FieldArray {
 public:
  const std::string& operator[](int fieldNumber) const { return fields_[fieldNumber - 1]; }
  std::string& operator[](int fieldNumber) { return fields_[fieldNumber - 1]; }

 private:
  std::array<std::string, kMaxCsvFields> fields_;
};

// Which field numbers SplitCsvLine fills (0..255; numbers above 100 never matter).
using ColumnSet = std::bitset<256>;
ColumnSet AllColumns();

// Entry k (1..100): position in a split header of the k-th wanted column, 0 when absent.
class ColumnMap {
 public:
  std::uint8_t operator[](int k) const { return map_[k - 1]; }
  std::uint8_t& operator[](int k) { return map_[k - 1]; }

 private:
  std::array<std::uint8_t, kMaxCsvFields> map_{};
};

// Quotes removed, blanks trimmed, enclosed in quotes; empty stays empty. CR, LF and NUL become
// blanks first, so a value can never break its row.
std::string QuoteText(std::string_view text);

// A value written without quotes (numbers and values copied from client files): ',', '"',
// CR, LF and NUL become blanks, so the row keeps its header's number of fields on one line.
std::string UnquotedValue(std::string_view value);

// The text a quoted value reads back as (QuoteText without its enclosing quotes): what a log
// row holds for it, and so what a look-up in the log must compare.
std::string LoggedText(std::string_view text);

// The n-th comma-separated field, quote-aware, quotes dropped, trimmed; empty when absent.
std::string CsvField(std::string_view line, int n);

FieldArray SplitCsvLine(std::string_view line, char separator, bool stripQuotes,
                        const ColumnSet& columns = AllColumns());

// ';' when the line has more semicolons than commas, else ','.
char DetectSeparator(std::string_view headerLine);

ColumnMap MapColumns(const FieldArray& fileHeader, const FieldArray& wantedHeader);
int CountMappedColumns(const ColumnMap& map);

}  // namespace tessarin
