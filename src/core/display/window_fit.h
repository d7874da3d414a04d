#pragma once
// The monitoring display's window rules that need no window: the row heights of the two
// views, fitting the grid to whole rows, centring, and which places are worth remembering.

namespace tessarin {

inline constexpr int kNormalRowHeight = 155;
inline constexpr int kCompactRowHeight = 85;
// Screen height the display leaves free for panels and task bars.
inline constexpr int kScreenReserve = 190;
// A window no higher than one normal row (the start-up bar, say) is not remembered.
inline constexpr int kRememberAbove = 155;

int RowHeight(bool compact);

// Height of a grid showing `rowCount` rows of `rowHeight` pixels, each with its 1-pixel grid
// line. When that is more than screenHeight - 190, only as many whole rows as fit there;
// never negative.
int FitGridHeight(int rowCount, int rowHeight, int screenHeight);

// Offset that centres a window of `windowSize` on a screen of `screenSize` (rounded).
int CentredOffset(int screenSize, int windowSize);

// Whether a cycle's hand-over fits the window again: while it is shown, when the first list
// arrives (`shownBefore` -1: nothing shown yet) or the number of entries changes.
bool RefitsOnHandOver(bool visible, int shownBefore, int shownAfter);

// Whether hiding a window of this height writes Options/LastLeft, LastTop and LastHeight.
bool RemembersPlace(int windowHeight);

}  // namespace tessarin
