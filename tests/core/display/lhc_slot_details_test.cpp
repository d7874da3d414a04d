// LHC: the turns of the SixTrack deck fort.3.

#include <gtest/gtest.h>

#include "slot_fixture.h"

namespace tessarin::test {
namespace {

std::string Deck(const std::string& trackingLine, const std::string& lineEnd = "\n") {
  return "GEOMETRY" + lineEnd + "TRACKING PARAMETERS-----------------------------" + lineEnd +
         trackingLine + lineEnd + "1 1 0 1 2" + lineEnd + "0 0 1 1 10 100 2" + lineEnd + "NEXT" +
         lineEnd;
}

struct LhcSlotTest : SlotFixture, ::testing::Test {
  LhcSlotTest() {
    facts.kind = ProjectKind::kLhc;
    facts.projectName = "LHC@home";
  }
  std::string TurnsFor(const std::string& deck) {
    SlotFile("fort.3", deck);
    return Read().InfoText;
  }
};

TEST_F(LhcSlotTest, AddsForwardAndBackwardTurns) {
  EXPECT_EQ(TurnsFor(Deck("1000 0 30 0.125269 0.156586 0 1")), "(   1,000 turns)");
  EXPECT_EQ(TurnsFor(Deck("100000 20000 30 1.02582 1.53873 0 1")), "( 120,000 turns)");
  EXPECT_EQ(TurnsFor(Deck("100000000 0 30 1 1 0 1")), "(100,000,000 turns)");
  EXPECT_EQ(Read().ProjectKind, 5);
}

TEST_F(LhcSlotTest, IndentedOrWidelySpacedFieldsGiveTheSameTurns) {
  EXPECT_EQ(TurnsFor(Deck("  100000 0 30 0.323044 0.484565 0 1")), "( 100,000 turns)");
  EXPECT_EQ(TurnsFor(Deck("100000    5 30")), "( 100,005 turns)");
  EXPECT_EQ(TurnsFor(Deck("  1000 0 30", "\r\n")), "(   1,000 turns)");
  // A line of one field does not borrow the next line's number.
  EXPECT_EQ(TurnsFor(Deck("1000")), "(   1,000 turns)");
}

TEST_F(LhcSlotTest, NoTurnsLeaveTheScienceLineEmpty) {
  EXPECT_EQ(TurnsFor(Deck("0 0 30 1 1 0 1")), "");
  EXPECT_EQ(TurnsFor(Deck("")), "");
  EXPECT_EQ(TurnsFor("GEOMETRY\n1000 0 30\nNEXT\n"), "");
  EXPECT_EQ(TurnsFor("GEOMETRY\nTRACKING PARAMETERS"), "");
  EXPECT_EQ(TurnsFor(""), "");
  EXPECT_TRUE(t.ExceptionKeys().empty());
}

TEST_F(LhcSlotTest, UsesTheFirstTrackingBlock) {
  EXPECT_EQ(TurnsFor(Deck("2000 0 30") + "SYNC 'PLACE AFTER TRACKING PARAMETERS'\n35640 1\n"),
            "(   2,000 turns)");
}

}  // namespace
}  // namespace tessarin::test
