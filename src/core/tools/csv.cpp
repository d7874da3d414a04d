#include "core/tools/csv.h"

#include <algorithm>

#include "core/tools/text.h"

namespace tessarin {

namespace {

bool IsLineBreak(char c) {
  return c == '\r' || c == '\n';
}

// Characters that would end a row early or hide the rest of a line from C readers.
bool BreaksRow(char c) {
  return IsLineBreak(c) || c == '\0';
}

void TrimBlanksInPlace(std::string& text) {
  const std::size_t last = text.find_last_not_of(' ');
  text.resize(last == std::string::npos ? 0 : last + 1);
  text.erase(0, text.find_first_not_of(' '));
}

}  // namespace

ColumnSet AllColumns() {
  return ColumnSet().set();
}

std::string LoggedText(std::string_view text) {
  std::string cleaned;
  cleaned.reserve(text.size());
  for (char c : text) {
    if (c == '"')
      continue;
    cleaned += BreaksRow(c) ? ' ' : c;
  }
  return TrimBlanks(cleaned);
}

std::string QuoteText(std::string_view text) {
  std::string cleaned = LoggedText(text);
  if (cleaned.empty())
    return cleaned;
  return '"' + cleaned + '"';
}

std::string UnquotedValue(std::string_view value) {
  std::string cleaned(value);
  for (char& c : cleaned) {
    if (c == ',' || c == '"' || BreaksRow(c))
      c = ' ';
  }
  return cleaned;
}

std::string CsvField(std::string_view line, int n) {
  if (n < 1)
    return {};
  bool inQuotes = false;
  int fieldNumber = 1;
  std::string field;
  for (char c : line) {
    if (c == '"')
      inQuotes = !inQuotes;
    if (c == ',' && !inQuotes) {
      if (fieldNumber == n)
        break;
      ++fieldNumber;
      continue;
    }
    if (fieldNumber == n)
      field += (c == '"' || IsLineBreak(c)) ? ' ' : c;
  }
  return fieldNumber == n ? TrimBlanks(field) : std::string();
}

FieldArray SplitCsvLine(std::string_view line, char separator, bool stripQuotes,
                        const ColumnSet& columns) {
  FieldArray fields;
  bool inQuotes = false;  // deliberately carried across fields: an odd quote swallows the rest
  std::size_t at = 0;
  for (int fieldNumber = 1; fieldNumber <= kMaxCsvFields && at < line.size(); ++fieldNumber) {
    const bool wanted = columns.test(static_cast<std::size_t>(fieldNumber));
    std::string& field = fields[fieldNumber];
    auto keep = [&](std::string_view part) {
      if (wanted && field.size() < kMaxCsvFieldLength) {
        field.append(part.substr(0, kMaxCsvFieldLength - field.size()));
      }
    };
    while (at < line.size()) {
      // Ordinary characters go over in one piece.
      std::size_t run = at;
      while (run < line.size()) {
        const char c = line[run];
        if (c == '"' || IsLineBreak(c) || (c == separator && !inQuotes))
          break;
        ++run;
      }
      keep(line.substr(at, run - at));
      at = run;
      if (at == line.size())
        break;
      const char c = line[at];
      if (c == separator && !inQuotes)
        break;
      if (c == '"')
        inQuotes = !inQuotes;
      keep((c == '"' && !stripQuotes) ? "\"" : " ");
      ++at;
    }
    ++at;  // behind the separator
    if (wanted)
      TrimBlanksInPlace(field);
  }
  return fields;
}

char DetectSeparator(std::string_view headerLine) {
  const auto commas = std::count(headerLine.begin(), headerLine.end(), ',');
  const auto semicolons = std::count(headerLine.begin(), headerLine.end(), ';');
  return semicolons > commas ? ';' : ',';
}

ColumnMap MapColumns(const FieldArray& fileHeader, const FieldArray& wantedHeader) {
  ColumnMap map;
  for (int k = 1; k <= kMaxCsvFields; ++k) {
    if (wantedHeader[k].empty())
      continue;
    for (int j = 1; j <= kMaxCsvFields; ++j) {
      if (fileHeader[j] == wantedHeader[k])
        map[k] = static_cast<std::uint8_t>(j);
    }
  }
  return map;
}

int CountMappedColumns(const ColumnMap& map) {
  int count = 0;
  for (int k = 1; k <= kMaxCsvFields; ++k) {
    if (static_cast<std::int8_t>(map[k]) > 0)
      ++count;
  }
  return count;
}

}  // namespace tessarin
