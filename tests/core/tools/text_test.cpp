#include "core/tools/text.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tessarin {
namespace {

TEST(PosFrom, SearchesFromOneBasedStart) {
  EXPECT_EQ(PosFrom("ab", "xabab", 0), 2u);
  EXPECT_EQ(PosFrom("ab", "xabab", 1), 2u);
  EXPECT_EQ(PosFrom("ab", "xabab", 2), 2u);
  EXPECT_EQ(PosFrom("ab", "xabab", 3), 4u);
  EXPECT_EQ(PosFrom("ab", "xabab", 5), 0u);
  EXPECT_EQ(PosFrom("ab", "xabab", 50), 0u);
  EXPECT_EQ(PosFrom("zz", "xabab", 0), 0u);
}

TEST(CutHead, SplitsOffHeadAndSeparator) {
  std::string text = "12 34  5";
  EXPECT_EQ(CutHead(text, ' '), "12");
  EXPECT_EQ(text, "34  5");
  EXPECT_EQ(CutHead(text, ' '), "34");
  EXPECT_EQ(CutHead(text, ' '), "");  // a run of blanks yields empty heads
  EXPECT_EQ(CutHead(text, ' '), "5");
  EXPECT_EQ(text, "");
}

TEST(NextToken, ReturnsTokenAndMovesBehindSeparator) {
  const std::string text = "a, bb, c";
  std::size_t position = 0;
  EXPECT_EQ(NextToken(text, ", ", position), "a");
  EXPECT_EQ(position, 4u);
  EXPECT_EQ(NextToken(text, ", ", position), "bb");
  EXPECT_EQ(position, 8u);
  // No separator follows: empty token and the position falls back to the separator length.
  EXPECT_EQ(NextToken(text, ", ", position), "");
  EXPECT_EQ(position, 2u);
}

TEST(SmallTextHelpers, Behave) {
  EXPECT_EQ(CountFields("", ','), 1);
  EXPECT_EQ(CountFields("1,2,3", ','), 3);
  EXPECT_EQ(TextBefore("name.ext.tess", '.'), "name");
  EXPECT_EQ(TextBefore("noext", '.'), "noext");
  EXPECT_TRUE(TextInList({"cpu", "sent"}, "sent"));
  EXPECT_FALSE(TextInList({"cpu", "sent"}, "Sent"));
  EXPECT_EQ(TrimBlanks("  a b \t\r\n  "), "a b \t\r\n");
  EXPECT_EQ(TrimBlanks("    "), "");
  EXPECT_EQ(Unquote("\"abc\""), "abc");
  EXPECT_EQ(Unquote("\""), "\"");
  EXPECT_EQ(Unquote("\"\""), "");
  EXPECT_EQ(Unquote("abc\""), "abc");
  EXPECT_EQ(DeleteChars("a-b_c-", "-_"), "abc");
  EXPECT_EQ(ReplaceChar("a.b.c", '.', ','), "a,b,c");
  std::string inPlace = "x\\y\\z";
  ReplaceCharInPlace(inPlace, '\\', '/');
  EXPECT_EQ(inPlace, "x/y/z");
  EXPECT_EQ(UpperCase("SetI@home \xe4"), "SETI@HOME \xe4");
  EXPECT_EQ(LowerCase("SetI@home"), "seti@home");
  EXPECT_TRUE(ContainsText("<suspended_via_gui/>", "suspended_via_gui"));
  EXPECT_FALSE(ContainsText("SETI", "seti"));
}

TEST(ReplaceText, ReplacesEachOccurrenceOnce) {
  EXPECT_EQ(ReplaceText("%a%%", "%", "%25"), "%25a%25%25");
  EXPECT_EQ(ReplaceText("aaa", "aa", "b"), "ba");
  EXPECT_EQ(ReplaceText("abc", "x", "y"), "abc");
  EXPECT_EQ(ReplaceText("abcabc", "abc", ""), "");
  // Deleting an occurrence can join a new one; each replacement goes back where its
  // occurrence was, and is never searched itself.
  EXPECT_EQ(ReplaceText("aabb", "ab", "X"), "XX");
  EXPECT_EQ(ReplaceText("aabb", "ab", "YZ"), "YYZZ");
  EXPECT_EQ(ReplaceText("xaabby", "ab", "ab"), "xaabby");
  EXPECT_EQ(ReplaceText("hthttp://tp://h", "http://", ""), "h");
}

TEST(ReplaceText, HandlesHugeTextsWithManyMatches) {
  std::string text;
  for (int i = 0; i < 1'200'000; ++i)
    text += "%abc=def]";  // 10.8 MB, 3.6 million matches
  const std::string escaped = EscapeIniText(text);
  EXPECT_EQ(escaped.size(), text.size() + 7'200'000u);
  EXPECT_EQ(escaped.substr(0, 15), "%25abc%3Ddef%5D");
  EXPECT_EQ(UnescapeIniText(escaped), text);
}

TEST(IniEscape, RoundTrips) {
  EXPECT_EQ(EscapeIniText("C:\\x=1]%"), "C:\\x%3D1%5D%25");
  EXPECT_EQ(UnescapeIniText("C:\\x%3D1%5D%25"), "C:\\x=1]%");
  // A literal "%5D" in a path survives the round trip.
  EXPECT_EQ(UnescapeIniText(EscapeIniText("/data/%5D=%25]")), "/data/%5D=%25]");
}

TEST(DigitsToInt, DropsNonDigitsBeforeConverting) {
  EXPECT_EQ(DigitsToInt("abc"), 0);
  EXPECT_EQ(DigitsToInt(""), 0);
  EXPECT_EQ(DigitsToInt("0x1F"), 1);
  EXPECT_EQ(DigitsToInt("1 2"), 12);
  EXPECT_EQ(DigitsToInt("-5"), 5);
  EXPECT_EQ(DigitsToInt("-5", true), -5);
  EXPECT_EQ(DigitsToInt("2147483647"), 2147483647);
  EXPECT_EQ(DigitsToInt("-2147483648", true), -2147483647 - 1);
  EXPECT_EQ(DigitsToInt("000000000000042"), 42);
}

TEST(DigitsToInt, InvalidRestThrows) {
  EXPECT_THROW(DigitsToInt("2147483648"), std::out_of_range);
  EXPECT_THROW(DigitsToInt("99999999999999999999"), std::out_of_range);
  EXPECT_THROW(DigitsToInt("5-3", true), std::invalid_argument);
  EXPECT_THROW(DigitsToInt("-", true), std::invalid_argument);
  EXPECT_THROW(DigitsToInt("--1", true), std::invalid_argument);
  EXPECT_EQ(DigitsToInt("5-3"), 53);  // without minus the '-' is just dropped
  try {
    DigitsToInt(std::string(100000, '7'));
    FAIL() << "no error for a huge number";
  } catch (const std::out_of_range& error) {
    EXPECT_LT(std::string(error.what()).size(), 80u);  // fit for an exception-log key
  }
}

TEST(ZeroPad, PadsToWidth) {
  EXPECT_EQ(ZeroPadInt(7, 3), "007");
  EXPECT_EQ(ZeroPadInt(1234, 3), "1234");
  EXPECT_EQ(ZeroPadInt(-5, 3), "0-5");
  EXPECT_EQ(ZeroPadText("ab", 4), "00ab");
  EXPECT_EQ(ZeroPadText("abcde", 4), "abcde");
}

TEST(AddBackslash, EnsuresOneTrailingSeparator) {
  EXPECT_EQ(AddBackslash(""), "");
  EXPECT_EQ(AddBackslash("/var/lib/boinc"), "/var/lib/boinc/");
  EXPECT_EQ(AddBackslash("/var/lib/boinc/"), "/var/lib/boinc/");
}

TEST(DigitShareBelow, ComparesDigitShareOfCountedCharacters) {
  EXPECT_TRUE(DigitShareBelow("ab1", ' ', 0.5));
  EXPECT_FALSE(DigitShareBelow("a12", ' ', 0.5));
  // Ignored characters do not count: "1 2 a" has 2 digits of 3 counted.
  EXPECT_FALSE(DigitShareBelow("1 2 a", ' ', 0.6));
  EXPECT_TRUE(DigitShareBelow("1 2 a", ' ', 0.7));
  EXPECT_FALSE(DigitShareBelow("", ' ', 0.5));
  EXPECT_FALSE(DigitShareBelow("   ", ' ', 0.5));
}

TEST(CutToWidth, NeverSplitsAUtf8CharacterAndLeavesSingleByteTextsAlone) {
  const struct {
    const char* text;
    std::size_t width;
    const char* cut;
  } cases[] = {
      {"Team", 10, "Team"},
      {"Team", 2, "Te"},
      {"Z\xC3\xBCrich", 2, "Z"},          // the cut would split "ü"
      {"Z\xC3\xBCrich", 3, "Z\xC3\xBC"},  // it ends right behind it
      {"ab\xE2\x82\xAC", 4, "ab"},        // a three-byte "€" split after two bytes
      {"a\xF0\x9F\x98\x80"
       "b",
       4, "a"},  // a four-byte emoji
      {"a\xF0\x9F\x98\x80"
       "b",
       5, "a\xF0\x9F\x98\x80"},
      {"Z\xFCrich", 2, "Z\xFC"},                    // Latin-1: no sequence to protect
      {"\xBC\xBC\xBC\xBC\xBC", 3, "\xBC\xBC\xBC"},  // stray continuation bytes
  };
  for (const auto& c : cases)
    EXPECT_EQ(CutToWidth(c.text, c.width), c.cut) << c.text << " / " << c.width;
}

}  // namespace
}  // namespace tessarin
