#include "core/browsers/grid_auto_size.h"

#include <algorithm>
#include <array>
#include <thread>
#include <vector>

#include "core/tools/run_parts.h"

namespace tessarin {

namespace {

constexpr int kHeaderMargin = 20;
constexpr int kCellMargin = 5;
// Fewer rows are not worth a thread of their own.
constexpr std::size_t kRowsPerPart = 50000;

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
  // Parts of the rows on every core, row by row as the table stores its cells; only the
  // widest cells of each part go on to be measured.
  const std::size_t rows = table.RowCount();
  const std::size_t parts = std::clamp<std::size_t>(
      rows / kRowsPerPart, 1, std::max(1u, std::thread::hardware_concurrency()));
  std::vector<std::vector<WidestCells>> partWidest(parts, std::vector<WidestCells>(count));
  RunParts(parts, parts, [&](std::size_t part) {
    std::vector<WidestCells>& widest = partWidest[part];
    for (std::size_t row = rows * part / parts; row < rows * (part + 1) / parts; ++row) {
      for (std::size_t column = 0; column < count; ++column) {
        const std::string_view cell = table.Cell(row, column);
        long long estimate = 0;
        for (char c : cell)
          estimate += byteWidth[static_cast<unsigned char>(c)];
        widest[column].Offer(estimate, cell);
      }
    }
  });
  for (std::size_t column = 0; column < count; ++column) {
    WidestCells widest;
    for (const std::vector<WidestCells>& part : partWidest) {
      for (const Candidate& candidate : part[column].Cells())
        widest.Offer(candidate.estimate, candidate.text);
    }
    int width = textWidth(table.Header()[column]) + kHeaderMargin;
    for (const Candidate& candidate : widest.Cells())
      width = std::max(width, textWidth(candidate.text) + kCellMargin);
    columns.SetWidth(column, width);
  }
}

}  // namespace tessarin
