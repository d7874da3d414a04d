#pragma once
// Cell texts of a grid without one string per cell. Rows are packed into large blocks, each
// row as the end offsets of its cells (16 bits each) followed by the cells' bytes, so a
// million-row log costs about its own size and no row is ever copied when the table grows.
// Rows and columns count from 0; the header row is kept apart from the data rows.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

class GridTable {
 public:
  // Bytes of text one row can hold; the cells beyond are cut (empty).
  static constexpr std::size_t kMaxRowText = 65535;

  explicit GridTable(std::vector<std::string> header);

  std::size_t ColumnCount() const { return header_.size(); }
  std::size_t RowCount() const { return rowStart_.size(); }
  const std::vector<std::string>& Header() const { return header_; }

  std::string_view Cell(std::size_t row, std::size_t column) const;

  // `cells` holds one text per column (missing ones are empty, extra ones ignored).
  void AppendRow(std::span<const std::string_view> cells);
  void ReserveRows(std::size_t rows) { rowStart_.reserve(rows); }
  // Moves the rows of a table with the same columns behind these, without copying their text.
  void AppendTable(GridTable&& other);

 private:
  const char* RowData(std::size_t row) const;

  std::vector<std::string> header_;
  std::vector<std::unique_ptr<char[]>> blocks_;
  std::size_t blockSize_ = 0;
  std::size_t blockUsed_ = 0;
  // Block index in the high 32 bits, offset inside the block in the low 32.
  std::vector<std::uint64_t> rowStart_;
};

}  // namespace tessarin
