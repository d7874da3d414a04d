#pragma once
// The pixel layout of one cell of the monitoring display, and the room each text of a shared
// line may take so that texts never run into each other.

namespace tessarin {

// x from the cell's left edge, y from its top or (FromBottom) its bottom edge.
namespace cell_layout {
inline constexpr int kHeaderHeight = 20;
inline constexpr int kLeft = 5;
inline constexpr int kRightMargin = 5;
inline constexpr int kHeaderTop = 3;
inline constexpr int kNamesTop = 23;
// What the names line keeps beside its two names: both 5-pixel margins and a 5-pixel gap.
inline constexpr int kNamesGap = 15;
// Space kept between the host name and the slot or cache text in the header band.
inline constexpr int kHeaderGap = 10;
inline constexpr int kScienceTop = 37;
inline constexpr int kSetiSignalsTop = 55;
inline constexpr int kOtherSignalsTop = 65;
inline constexpr int kSignalPitch = 15;
inline constexpr int kCpuFromBottom = 35;
inline constexpr int kStatusFromBottom = 17;
inline constexpr int kStatusValueLeft = 47;
// The score dot's box: x 5..13, y from line top + 3, 9 pixels.
inline constexpr int kDotLeft = 5;
inline constexpr int kDotTop = 3;
inline constexpr int kDotSize = 9;
inline constexpr int kBodyPixels = 12;
inline constexpr int kSciencePixels = 10;
// Label and value columns: the labels move right to make room for the score dots.
struct Columns {
  int label;
  int value;
};
inline constexpr Columns kRatedColumns{17, 73};
inline constexpr Columns kPlainColumns{5, 64};
}  // namespace cell_layout

// Width the host name may take in the header band: up to kHeaderGap before the centred slot
// text (`centreWidth`, 0 when none) or else before the right-aligned cache counts
// (`rightWidth`, 0 when none). Never negative.
int HostNameRoom(int cellWidth, int centreWidth, int rightWidth);

// Width the project name may take on the names line, leaving the result name at least
// `shortestResultWidth` (what it needs when shortened as far as it goes; 0 without one).
int ProjectNameRoom(int cellWidth, int shortestResultWidth);

}  // namespace tessarin
