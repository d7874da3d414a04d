#include "core/tools/terminal_text.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

TEST(TerminalText, ControlCharactersShowAsQuestionMarksAndTheRestStays) {
  const struct {
    std::string text;
    std::string shown;
  } cases[] = {
      {"\x1b[31mred\x1b[0m", "?[31mred?[0m"},
      {"a\tb\r\nc\x07", "a\tb??c?"},
      {std::string("nul\0x", 5), "nul?x"},
      {"del\x7f", "del?"},
      {"csi\xc2\x9b"
       "2J",
       "csi?2J"},  // U+009B in UTF-8
      {"raw\x9b"
       "2J",
       "raw?2J"},                                                // C1 as a single byte
      {"caf\xc3\xa9 \xe2\x82\xac", "caf\xc3\xa9 \xe2\x82\xac"},  // continuation bytes 0x82 stay
      {"latin1 \xe9t\xe9", "latin1 \xe9t\xe9"},
      {"\xc2\xa0nbsp", "\xc2\xa0nbsp"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TerminalText(c.text), c.shown) << c.text;
}

TEST(TerminalText, JsonEscapesDelAndC1AsItDoesC0) {
  EXPECT_EQ(EscapeJsonControls("{\"p\":\"a\x7f\xc2\x9b\xc2\xa0\xc3\xa9\\u001b\"}"),
            "{\"p\":\"a\\u007f\\u009b\xc2\xa0\xc3\xa9\\u001b\"}");
}

}  // namespace
}  // namespace tessarin
