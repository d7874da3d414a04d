#include "core/browsers/grid_table.h"

#include <algorithm>
#include <cstring>

namespace tessarin {

namespace {

// Large enough that a block's unused tail is small against it, small enough that a short
// table does not reserve much.
constexpr std::size_t kBlockSize = std::size_t{4} << 20;

std::uint16_t ReadEnd(const char* offsets, std::size_t column) {
  std::uint16_t end;
  std::memcpy(&end, offsets + column * sizeof end, sizeof end);
  return end;
}

}  // namespace

GridTable::GridTable(std::vector<std::string> header) : header_(std::move(header)) {}

const char* GridTable::RowData(std::size_t row) const {
  const std::uint64_t start = rowStart_[row];
  return blocks_[start >> 32].get() + (start & 0xFFFFFFFFu);
}

std::string_view GridTable::Cell(std::size_t row, std::size_t column) const {
  if (row >= RowCount() || column >= ColumnCount())
    return {};
  const char* offsets = RowData(row);
  const char* text = offsets + ColumnCount() * sizeof(std::uint16_t);
  const std::uint16_t begin = column == 0 ? 0 : ReadEnd(offsets, column - 1);
  return {text + begin, static_cast<std::size_t>(ReadEnd(offsets, column) - begin)};
}

void GridTable::AppendRow(std::span<const std::string_view> cells) {
  const std::size_t columns = ColumnCount();
  const std::size_t offsetBytes = columns * sizeof(std::uint16_t);
  std::size_t textBytes = 0;
  for (std::size_t c = 0; c < columns && c < cells.size(); ++c)
    textBytes += cells[c].size();
  textBytes = std::min(textBytes, kMaxRowText);
  const std::size_t rowBytes = offsetBytes + textBytes;

  if (blocks_.empty() || blockSize_ - blockUsed_ < rowBytes) {
    blockSize_ = std::max(kBlockSize, rowBytes);
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(blockSize_));
    blockUsed_ = 0;
  }
  char* offsets = blocks_.back().get() + blockUsed_;
  char* text = offsets + offsetBytes;
  std::size_t end = 0;
  for (std::size_t c = 0; c < columns; ++c) {
    if (c < cells.size()) {
      const std::size_t length = std::min(cells[c].size(), textBytes - end);
      if (length > 0)
        std::memcpy(text + end, cells[c].data(), length);
      end += length;
    }
    const auto end16 = static_cast<std::uint16_t>(end);
    std::memcpy(offsets + c * sizeof end16, &end16, sizeof end16);
  }
  rowStart_.push_back((static_cast<std::uint64_t>(blocks_.size() - 1) << 32) | blockUsed_);
  blockUsed_ += rowBytes;
}

void GridTable::AppendTable(GridTable&& other) {
  const auto shift = static_cast<std::uint64_t>(blocks_.size()) << 32;
  rowStart_.reserve(rowStart_.size() + other.rowStart_.size());
  for (const std::uint64_t start : other.rowStart_)
    rowStart_.push_back(start + shift);
  for (std::unique_ptr<char[]>& block : other.blocks_)
    blocks_.push_back(std::move(block));
  if (!other.blocks_.empty()) {
    blockSize_ = other.blockSize_;
    blockUsed_ = other.blockUsed_;
  }
  other.blocks_.clear();
  other.rowStart_.clear();
  other.blockSize_ = other.blockUsed_ = 0;
}

}  // namespace tessarin
