#include "core/browsers/grid_auto_size.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tessarin {

namespace {

constexpr int kHeaderMargin = 20;
constexpr int kCellMargin = 5;

struct Candidate {
  long long estimate;
  std::string_view text;
};

// The widest estimates seen so far, distinct texts only; a min-heap on the estimate.
class WidestCells {
 public:
  void Offer(long long estimate, std::string_view text) {
    const auto lower = [](const Candidate& a, const Candidate& b) {
      return a.estimate > b.estimate;
    };
    if (heap_.size() == kMeasuredCellsPerColumn && estimate <= heap_.front().estimate)
      return;
    for (const Candidate& known : heap_) {
      if (known.text == text)
        return;
    }
    if (heap_.size() == kMeasuredCellsPerColumn) {
      std::pop_heap(heap_.begin(), heap_.end(), lower);
      heap_.pop_back();
    }
    heap_.push_back({estimate, text});
    std::push_heap(heap_.begin(), heap_.end(), lower);
  }
  const std::vector<Candidate>& Cells() const { return heap_; }

 private:
  std::vector<Candidate> heap_;
};

}  // namespace

void AutoSizeColumns(const GridTable& table, const TextWidthFunction& textWidth,
                     GridColumns& columns) {
  std::array<int, 256> byteWidth;
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    byteWidth[static_cast<std::size_t>(b)] = textWidth(std::string_view(&c, 1));
  }
  const std::size_t count = std::min(table.ColumnCount(), columns.ColumnCount());
  // Row by row, as the table stores its cells.
  std::vector<WidestCells> widest(count);
  for (std::size_t row = 0; row < table.RowCount(); ++row) {
    for (std::size_t column = 0; column < count; ++column) {
      const std::string_view cell = table.Cell(row, column);
      long long estimate = 0;
      for (char c : cell)
        estimate += byteWidth[static_cast<unsigned char>(c)];
      widest[column].Offer(estimate, cell);
    }
  }
  for (std::size_t column = 0; column < count; ++column) {
    int width = textWidth(table.Header()[column]) + kHeaderMargin;
    for (const Candidate& candidate : widest[column].Cells()) {
      width = std::max(width, textWidth(candidate.text) + kCellMargin);
    }
    columns.SetWidth(column, width);
  }
}

}  // namespace tessarin
