// DrawGridDrawCell's pixels: one entry painted into an image and looked at.

#include "gui/display/cell_painter.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "display_test_support.h"
#include "hint_test_support.h"

namespace tessarin {
namespace {

using test::CountPixels;
using test::IsBlack;
using test::IsDark;
using test::IsWhite;

constexpr int kWidth = 400;

QFont Arial(int pixels, bool bold) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

int Width(const QString& text, bool bold = false) {
  return QFontMetrics(Arial(12, bold)).horizontalAdvance(text);
}

SlotInfo SetiEntry() {
  SlotInfo e;
  e.HostName = "alpha";
  e.ProjectName = "SETI@home";
  e.ResultName = "01ja06aa.1234.5678.3.4.55_1";
  e.ProjectKind = 1;
  e.ReadyCount = 3;
  e.ResultCount = 7;
  e.InfoText = "(Ra: 14.9; Dec: 28.6; AR: 0.775)";
  e.SpikePower = "23.78654";
  e.SpikeScore = "-0.5";
  e.GaussianPower = "3.619919";
  e.GaussianFit = "1.410156";
  e.GaussianScore = "0.1";
  e.PulsePower = "2.231104";
  e.PulsePeriod = "0.523075";
  e.PulseScore = "2";
  e.TripletPower = "15.14285";
  e.TripletScore = "10.5";
  e.CpuText = ": 1:02:05 (3:10:00 left)";
  e.StatusText = "25.000 % (active)";
  e.StatusColor = colors::kGreen;
  e.OutputSize = 1234;
  return e;
}

ScoreThresholds Rated() {
  ScoreThresholds scores;
  scores.rateScores = true;
  scores.spike = {0.0f, 1.0f};
  scores.gaussian = {0.1f, 0.3f};
  scores.pulse = {0.5f, 1.5f};
  scores.triplet = {4.0f, 13.6f};
  return scores;
}

QImage Paint(const SlotInfo& entry, CellTextOptions options = {}, int height = 155) {
  test::EnsureApplication();
  QImage image(kWidth, height, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  CellPainter(std::move(options)).Paint(image, QRect(0, 0, kWidth, height), entry);
  return image;
}

bool Near(QColor c, int r, int g, int b, int tolerance = 40) {
  return std::abs(c.red() - r) <= tolerance && std::abs(c.green() - g) <= tolerance &&
         std::abs(c.blue() - b) <= tolerance;
}

TEST(CellPainter, HeaderBandIsBlackWithTheHostInWhiteAtTheLeftAndTheCacheAtTheRight) {
  const QImage image = Paint(SetiEntry());
  EXPECT_TRUE(IsBlack(image.pixelColor(0, 0)));
  EXPECT_TRUE(IsBlack(image.pixelColor(kWidth - 1, 19)));
  EXPECT_TRUE(IsBlack(image.pixelColor(kWidth / 2, 1)));
  EXPECT_TRUE(IsWhite(image.pixelColor(0, 20)));  // the band ends at T + 20
  EXPECT_TRUE(IsWhite(image.pixelColor(kWidth - 1, 154)));

  const int hostWidth = Width("alpha", true);
  EXPECT_GT(CountPixels(image, QRect(5, 3, hostWidth, 15), IsWhite), 15);
  EXPECT_EQ(CountPixels(image, QRect(0, 0, 5, 20), IsWhite), 0);
  EXPECT_EQ(CountPixels(image, QRect(5, 0, hostWidth, 3), IsWhite), 0);
  // Between the host and the right-aligned cache counts the band stays black.
  EXPECT_EQ(CountPixels(image, QRect(5 + hostWidth + 2, 0, 100, 20), IsWhite), 0);
  const int cacheWidth = Width("Cache: 3 / 7");
  EXPECT_GT(CountPixels(image, QRect(kWidth - 5 - cacheWidth, 3, cacheWidth, 15), IsWhite), 15);
  EXPECT_EQ(CountPixels(image, QRect(kWidth - 4, 0, 4, 20), IsWhite), 0);
}

TEST(CellPainter, SlotNumberIsCentredInTheBandOfAMultiTaskClient) {
  SlotInfo e = SetiEntry();
  const QImage single = Paint(e);
  e.MultiTask = true;
  e.SlotNumber = 2;
  const QImage multi = Paint(e);
  const int w = Width("Slot 2");
  const QRect centre((kWidth - w) / 2, 3, w, 15);
  EXPECT_EQ(CountPixels(single, centre, IsWhite), 0);
  EXPECT_GT(CountPixels(multi, centre, IsWhite), 10);
}

TEST(CellPainter, StatusIsDrawnInItsColourAfterItsLabel) {
  const QImage image = Paint(SetiEntry());
  const auto green = [](QColor c) { return Near(c, 0, 128, 0, 30); };
  EXPECT_GT(CountPixels(image, QRect(47, 138, 120, 15), green), 10);
  EXPECT_EQ(CountPixels(image, QRect(0, 0, kWidth, 138), green), 0);
  // "Status:" itself is black, left of x = 47.
  EXPECT_GT(CountPixels(image, QRect(5, 138, 40, 15), IsDark), 10);
  EXPECT_EQ(CountPixels(image, QRect(5, 138, 40, 15), green), 0);
  // CPU time at B - 35.
  EXPECT_GT(CountPixels(image, QRect(5, 120, 50, 15), IsDark), 10);
}

TEST(CellPainter, UnreachableClientShowsOnlyItsHostAndARedStatus) {
  SlotInfo e;
  e.HostName = "/var/lib/boinc-client/";
  e.ReadyCount = -1;
  e.StatusText = "Connection to client lost !";
  e.StatusColor = colors::kRed;
  const QImage image = Paint(e);
  EXPECT_GT(CountPixels(image, QRect(5, 3, Width("/var/lib/", true), 15), IsWhite), 10);
  // No cache counts, no project or result line, no CPU line.
  EXPECT_EQ(CountPixels(image, QRect(kWidth - 120, 0, 120, 20), IsWhite), 0);
  EXPECT_EQ(CountPixels(image, QRect(0, 21, kWidth, 117), IsDark), 0);
  const auto red = [](QColor c) { return Near(c, 255, 0, 0, 40); };
  EXPECT_GT(CountPixels(image, QRect(47, 138, 200, 15), red), 10);
}

// Centre of the dot on signal line n (0-based) of a SETI@home cell.
QPoint DotCentre(int line) {
  return {9, 55 + 15 * line + 7};
}

TEST(CellPainter, ScoreDotsFollowTheThresholds) {
  CellTextOptions options;
  options.scores = Rated();
  const QImage image = Paint(SetiEntry(), options);
  // Spike -0.5 below its low limit: green. Gaussian 0.1 equal to its low limit: yellow.
  // Pulse 2 above its high limit: red. Triplet 10.5 within: yellow.
  EXPECT_TRUE(Near(image.pixelColor(DotCentre(0)), 0, 128, 0, 10));
  EXPECT_TRUE(Near(image.pixelColor(DotCentre(1)), 255, 255, 0, 10));
  EXPECT_TRUE(Near(image.pixelColor(DotCentre(2)), 255, 0, 0, 10));
  EXPECT_TRUE(Near(image.pixelColor(DotCentre(3)), 255, 255, 0, 10));
  // A black outline round each dot.
  EXPECT_TRUE(IsDark(image.pixelColor(5, DotCentre(0).y())));
  EXPECT_TRUE(IsDark(image.pixelColor(9, 58)));
  // Labels at x = 17 and values at x = 73 make room for the dots.
  EXPECT_EQ(CountPixels(image, QRect(14, 55, 3, 60), IsDark), 0);
  EXPECT_GT(CountPixels(image, QRect(17, 55, 6, 15), IsDark), 3);
  EXPECT_EQ(CountPixels(image, QRect(64, 55, 9, 15), IsDark), 0);  // after "Spike"
  EXPECT_GT(CountPixels(image, QRect(73, 55, 3, 15), IsDark), 0);
}

TEST(CellPainter, WithoutScoreRatingThereAreNoDotsAndTheLabelsStartAtTheEdge) {
  const QImage image = Paint(SetiEntry());
  const auto coloured = [](QColor c) { return c.saturation() > 100; };
  EXPECT_EQ(CountPixels(image, QRect(0, 55, kWidth, 60), coloured), 0);
  EXPECT_GT(CountPixels(image, QRect(5, 55, 5, 15), IsDark), 3);
  EXPECT_GT(CountPixels(image, QRect(64, 55, 3, 15), IsDark), 0);
}

TEST(CellPainter, MissingSignalsCloseUp) {
  SlotInfo e = SetiEntry();
  e.SpikeScore.clear();
  e.GaussianScore.clear();
  CellTextOptions options;
  options.scores = Rated();
  const QImage image = Paint(e, options);
  // Pulse (red) and triplet (yellow) take the first two lines.
  EXPECT_TRUE(Near(image.pixelColor(DotCentre(0)), 255, 0, 0, 10));
  EXPECT_TRUE(Near(image.pixelColor(DotCentre(1)), 255, 255, 0, 10));
  EXPECT_EQ(CountPixels(image, QRect(0, 85, kWidth, 30), IsDark), 0);
}

TEST(CellPainter, PeakLabelsUseTheDotColumnOnlyForAstropulse) {
  CellTextOptions options;
  options.scores = Rated();
  SlotInfo ap = SetiEntry();
  ap.ProjectKind = 2;
  ap.PeakValue = 19.5;
  ap.PeakCount = 4;
  SlotInfo einstein = ap;
  einstein.ProjectKind = 6;
  const QImage apImage = Paint(ap, options);
  const QImage einsteinImage = Paint(einstein, options);
  EXPECT_EQ(CountPixels(apImage, QRect(0, 65, 16, 30), IsDark), 0);
  EXPECT_GT(CountPixels(apImage, QRect(17, 65, 6, 15), IsDark), 3);
  EXPECT_GT(CountPixels(einsteinImage, QRect(5, 65, 5, 15), IsDark), 3);
  // Their second line, the count, sits in the value column 15 pixels lower.
  EXPECT_GT(CountPixels(apImage, QRect(73, 80, 60, 15), IsDark), 5);
}

TEST(CellPainter, CompactViewDrawsNoSignalLinesButKeepsOutputCpuAndStatus) {
  CellTextOptions compact;
  compact.compact = true;
  compact.scores = Rated();
  SlotInfo withoutSignals = SetiEntry();
  withoutSignals.SpikeScore.clear();
  withoutSignals.GaussianScore.clear();
  withoutSignals.PulseScore.clear();
  withoutSignals.TripletScore.clear();
  const QImage a = Paint(SetiEntry(), compact, 85);
  const QImage b = Paint(withoutSignals, compact, 85);
  EXPECT_EQ(a, b);
  // Whereas the normal view does draw them.
  EXPECT_NE(Paint(SetiEntry(), {}), Paint(withoutSignals, {}));
  // CPU time at T + 50, status and output size at T + 68.
  EXPECT_GT(CountPixels(a, QRect(5, 50, 50, 14), IsDark), 10);
  EXPECT_GT(CountPixels(a, QRect(5, 68, 40, 14), IsDark), 10);
  const int outWidth = Width("Outfile: 1234 Bytes");
  EXPECT_GT(CountPixels(a, QRect(kWidth - 5 - outWidth, 68, outWidth, 14), IsDark), 10);
}

TEST(CellPainter, LongResultNamesAreShortenedFromTheFront) {
  test::EnsureApplication();
  const std::string longName = "ap_20dc08ab_B3_P1_00074_20081224_07437.wu_0_very_long_tail_x9";
  const QString shown = ShownResultName("SETI@home", longName, kWidth);
  EXPECT_TRUE(shown.startsWith("..."));
  EXPECT_TRUE(QString::fromStdString(longName).endsWith(shown.mid(3)));
  EXPECT_LT(Width("SETI@home", true) + Width(shown), kWidth - 15);
  // The longest tail that fits: one more character would not.
  const QString oneMore =
      "..." + QString::fromStdString(longName).right(static_cast<int>(shown.size()) - 3 + 1);
  EXPECT_GE(Width("SETI@home", true) + Width(oneMore), kWidth - 15);

  // A name that fits stays whole.
  EXPECT_EQ(ShownResultName("SETI@home", "short_0", kWidth), "short_0");
  // Beside a project name that leaves no room: "..." and the last character, never less.
  EXPECT_EQ(ShownResultName(std::string(60, 'W'), longName, kWidth), "...9");
  // A name narrower than "..." and its last character stays whole; the project name yields.
  EXPECT_EQ(ShownResultName(std::string(60, 'W'), "ab", 50), "ab");
}

TEST(CellPainter, TheShortenedNameIsDrawnRightAlignedBesideTheProject) {
  SlotInfo e = SetiEntry();
  e.ResultName = std::string(120, 'x') + "_end";
  const QImage image = Paint(e);
  const int shownWidth = Width(ShownResultName(e.ProjectName, e.ResultName, kWidth));
  const int projectWidth = Width("SETI@home", true);
  EXPECT_GT(CountPixels(image, QRect(kWidth - 5 - shownWidth, 23, shownWidth, 14), IsDark), 20);
  EXPECT_EQ(CountPixels(image, QRect(kWidth - 5, 23, 5, 14), IsDark), 0);
  // The room kept between the two names stays free.
  const int gapLeft = 5 + projectWidth + 1;
  const int gapRight = kWidth - 5 - shownWidth;
  ASSERT_GE(gapRight - gapLeft, 4);
  EXPECT_EQ(CountPixels(image, QRect(gapLeft, 23, gapRight - gapLeft, 14), IsDark), 0);
}

TEST(CellPainter, LongNamesAreCutInsideTheirOwnArea) {
  SlotInfo e = SetiEntry();
  e.HostName = std::string(100, 'H');
  e.MultiTask = true;
  e.SlotNumber = 300;
  e.ProjectName = std::string(50, 'W');
  e.ResultName = "wu_1234_0";
  const QImage image = Paint(e);
  const auto notBlack = [](QColor c) { return !IsBlack(c); };
  // The band stays black between the host name and the slot text.
  const int slotLeft = (kWidth - Width("Slot 300")) / 2;
  EXPECT_GT(CountPixels(image, QRect(5, 3, 20, 14), notBlack), 10);
  EXPECT_EQ(CountPixels(image, QRect(slotLeft - 8, 3, 6, 14), notBlack), 0);
  // The project name ends before the result name, which keeps at least "..." and its end.
  const QString result = ShownResultName(e.ProjectName, e.ResultName, kWidth);
  EXPECT_TRUE(result.endsWith("0"));
  const int resultLeft = kWidth - 5 - Width(result);
  EXPECT_GT(CountPixels(image, QRect(resultLeft, 23, Width(result), 14), IsDark), 10);
  EXPECT_EQ(CountPixels(image, QRect(resultLeft - 4, 23, 4, 14), IsDark), 0);
  EXPECT_TRUE(ShownProjectName(e.ProjectName, e.ResultName, kWidth).endsWith(QChar(0x2026)));
}

TEST(CellPainter, PaintsTheWholeCellAndNothingOutsideIt) {
  test::EnsureApplication();
  QImage image(kWidth, 465, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  SlotInfo e = SetiEntry();
  e.StatusText = std::string(200, 'M');  // far wider than the cell
  CellPainter().Paint(image, QRect(0, 155, kWidth, 155), e);
  const auto magenta = [](QColor c) { return c == QColor(Qt::magenta); };
  EXPECT_EQ(CountPixels(image, QRect(0, 0, kWidth, 155), magenta), kWidth * 155);
  EXPECT_EQ(CountPixels(image, QRect(0, 310, kWidth, 155), magenta), kWidth * 155);
  EXPECT_EQ(CountPixels(image, QRect(0, 155, kWidth, 155), magenta), 0);
  // Positions are relative to the cell: the band is at its top.
  EXPECT_TRUE(IsBlack(image.pixelColor(0, 155)));
  EXPECT_TRUE(IsWhite(image.pixelColor(0, 175)));
}

}  // namespace
}  // namespace tessarin
