#include "core/tools/tag_extract.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessarin {
namespace {

TEST(ExtractTag, ReadsValueOfFirstElementUnchanged) {
  EXPECT_EQ(ExtractTag("<spike><peak_power>1.5</peak_power></spike>", "peak_power"), "1.5");
  EXPECT_EQ(ExtractTag("<a> x &amp; <b>y</b> </a>", "a"), " x &amp; <b>y</b> ");
  EXPECT_EQ(ExtractTag("<a>1</a><a>2</a>", "a"), "1");
}

TEST(ExtractTag, MissingEmptyAndUnclosedAllGiveEmpty) {
  EXPECT_EQ(ExtractTag("<other>1</other>", "peak_power"), "");
  EXPECT_EQ(ExtractTag("<peak_power></peak_power>", "peak_power"), "");
  EXPECT_EQ(ExtractTag("<a>x", "a"), "");
  EXPECT_EQ(ExtractTag("", "a"), "");
  EXPECT_EQ(ExtractTag("<a>", "a"), "");
  EXPECT_EQ(ExtractTag("x</a><a>", "a"), "");
}

TEST(ExtractTag, MatchesWholeNamesOnly) {
  const std::string text = "<time_jd>2.5</time_jd><detection_freq>7</detection_freq>";
  EXPECT_EQ(ExtractTag(text, "time"), "");
  EXPECT_EQ(ExtractTag(text, "freq"), "");
  EXPECT_EQ(ExtractTag(text + "<time>3</time><freq>8</freq>", "time"), "3");
  EXPECT_EQ(ExtractTag(text + "<time>3</time><freq>8</freq>", "freq"), "8");
  // A longer closing tag does not end the element.
  EXPECT_EQ(ExtractTag("<a>1</ab>2</a>", "a"), "1</ab>2");
}

TEST(ExtractTag, NestedSameNameEndsAtFirstClosingTag) {
  EXPECT_EQ(ExtractTag("<a><a>x</a></a>", "a"), "<a>x");
}

TEST(ExtractTag, AttributeForm) {
  EXPECT_EQ(ExtractTag("<pot length=256 encoding=x>1,2,3</pot>", "pot"), "1,2,3");
  EXPECT_EQ(ExtractTag("<a b>v</a>", "a"), "v");
  // The character right after the blank is never the end of the opening tag.
  EXPECT_EQ(ExtractTag("<a >x</a>", "a"), "");
  // The scan for '>' runs to the end of the text: missing.
  EXPECT_EQ(ExtractTag("<a b=1", "a"), "");
  EXPECT_EQ(ExtractTag("<a b=1>", "a"), "");
  EXPECT_EQ(ExtractTag("<a ", "a"), "");
}

TEST(ExtractTag, PlainFormWinsEvenWhenLater) {
  EXPECT_EQ(ExtractTag("<a k=1>attr</a><a>plain</a>", "a"), "plain");
}

TEST(ExtractTagCut, RemovesWholeElementEachCall) {
  std::string text = "<a>x</a><a>y</a>";
  EXPECT_EQ(ExtractTagCut(text, "a"), "x");
  EXPECT_EQ(text, "<a>y</a>");
  EXPECT_EQ(ExtractTagCut(text, "a"), "y");
  EXPECT_EQ(text, "");
  EXPECT_EQ(ExtractTagCut(text, "a"), "");
}

TEST(ExtractTagCut, CutsAttributeElementFromItsOpeningTag) {
  std::string text = "head<pot len=3>1,2</pot>tail";
  EXPECT_EQ(ExtractTagCut(text, "pot"), "1,2");
  EXPECT_EQ(text, "headtail");
}

TEST(ExtractTagCut, FailureLeavesTextAlone) {
  std::string text = "<a>x";
  EXPECT_EQ(ExtractTagCut(text, "a"), "");
  EXPECT_EQ(text, "<a>x");
}

TEST(ExtractTagFrom, WalksElementsAndAdvancesPosition) {
  const std::string text = "<a>x</a><a>y</a>";
  std::size_t position = 0;
  EXPECT_EQ(ExtractTagFrom(text, "a", position), "x");
  EXPECT_EQ(position, 9u);
  EXPECT_EQ(ExtractTagFrom(text, "a", position), "y");
  EXPECT_EQ(position, 17u);
  EXPECT_EQ(ExtractTagFrom(text, "a", position), "");
  EXPECT_EQ(position, 17u);
}

TEST(ExtractTagFrom, PositionOneIsTheStartAndLaterPositionsSkip) {
  const std::string text = "<a>x</a><a>y</a>";
  std::size_t position = 1;
  EXPECT_EQ(ExtractTagFrom(text, "a", position), "x");
  position = 2;  // the first element starts before the position
  EXPECT_EQ(ExtractTagFrom(text, "a", position), "y");
  position = 100;
  EXPECT_EQ(ExtractTagFrom(text, "a", position), "");
  EXPECT_EQ(position, 100u);
}

TEST(ExtractTagFrom, VisitsEveryElementInOrder) {
  const std::string text =
      "<state><spike><power>1</power></spike>junk<spike><power>2</power></spike>"
      "<spike k=1><power>3</power></spike></state>";
  std::vector<std::string> powers;
  std::size_t position = 0;
  for (std::string spike = ExtractTagFrom(text, "spike", position); !spike.empty();
       spike = ExtractTagFrom(text, "spike", position)) {
    powers.push_back(ExtractTag(spike, "power"));
  }
  // The attribute form is searched only when no plain form follows the position.
  EXPECT_EQ(powers, (std::vector<std::string>{"1", "2", "3"}));
}

}  // namespace
}  // namespace tessarin
