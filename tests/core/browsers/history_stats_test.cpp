#include "core/browsers/history_stats.h"

#include <gtest/gtest.h>

#include "core/browsers/history_tree.h"
#include "core/browsers/history_tree_text.h"

namespace tessarin {
namespace {

std::vector<std::string> Names(const TStatArray& stats) {
  std::vector<std::string> names;
  for (const StatEntry& e : stats.Entries()) {
    names.push_back(e.project + "/" + e.application + "/" + e.host + "/" + e.version);
  }
  return names;
}

TEST(AddStatTest, CountsByCategoryInOneEntryPerNames) {
  TStatArray stats;
  stats.AddStat("P", "a", "h", "5.12", 100, false);
  stats.AddStat("P", "a", "h", "5.12", 0, false);
  stats.AddStat("P", "a", "h", "5.12", 50, true);
  stats.AddStat("P", "a", "h", "5.12", 0, true);  // an error, even with 0 seconds
  stats.AddStat("P", "a", "H", "5.12", 7, false);
  ASSERT_EQ(stats.Entries().size(), 2u);
  const StatCounts& counts = stats.Entries()[0].counts;
  EXPECT_EQ(counts.workUnits, (std::array<std::uint32_t, 3>{1, 2, 1}));
  EXPECT_EQ(counts.cpuSeconds, (std::array<std::uint64_t, 3>{100, 50, 0}));
}

TEST(AddStatTest, NamesAreCutToTheirWidthsBeforeMatching) {
  TStatArray stats;
  const std::string longName(150, 'p');
  stats.AddStat(longName, "a", "h", "1234567890-a", 1, false);
  stats.AddStat(longName.substr(0, 100) + "other", "a", "h", "1234567890-b", 1, false);
  ASSERT_EQ(stats.Entries().size(), 1u);
  EXPECT_EQ(stats.Entries()[0].project.size(), 100u);
  EXPECT_EQ(stats.Entries()[0].version, "1234567890");
  EXPECT_EQ(stats.Entries()[0].counts.workUnits[kStatGood], 2u);
}

TEST(AddStatTest, CpuSumsDoNotOverflowThirtyTwoBits) {
  TStatArray stats;
  for (int i = 0; i < 3; ++i)
    stats.AddStat("P", "a", "h", "1", 2'000'000'000u, false);
  EXPECT_EQ(stats.Entries()[0].counts.cpuSeconds[kStatGood], 6'000'000'000ull);
}

TEST(CpuSecondsOfTest, RoundsHalvesToEvenAndRefusesGarbage) {
  EXPECT_EQ(CpuSecondsOf("3725.9"), 3726u);
  EXPECT_EQ(CpuSecondsOf("2.5"), 2u);
  EXPECT_EQ(CpuSecondsOf("3.5"), 4u);
  EXPECT_EQ(CpuSecondsOf("0.4"), 0u);
  EXPECT_EQ(CpuSecondsOf("abc"), 0u);
  EXPECT_EQ(CpuSecondsOf(""), 0u);
  EXPECT_EQ(CpuSecondsOf("-20"), 0u);
  EXPECT_EQ(CpuSecondsOf("1e12"), 0u);
}

TEST(SortStatsTest, OrdersByProjectWithoutCaseThenTheOtherNamesWithCase) {
  TStatArray stats;
  stats.AddStat("seti", "b", "h", "1", 1, false);
  stats.AddStat("Einstein", "x", "h", "1", 1, false);
  stats.AddStat("SETI", "a", "h", "1", 1, false);
  stats.AddStat("seti", "a", "h", "2", 1, false);
  stats.AddStat("seti", "a", "h", "1", 1, false);
  stats.AddStat("seti", "B", "h", "1", 1, false);
  stats.AddStat("_x", "a", "h", "1", 1, false);
  stats.SortStats();
  // "_" (0x5F) lies after the upper-case letters. "SETI" is "seti", the spelling met first, as
  // in the Projects menu.
  EXPECT_EQ(Names(stats), (std::vector<std::string>{"Einstein/x/h/1", "seti/B/h/1", "seti/a/h/1",
                                                    "seti/a/h/2", "seti/b/h/1", "_x/a/h/1"}));
  EXPECT_EQ(stats.Entries()[2].counts.workUnits[kStatGood], 2u);
  // The index still finds the entries after sorting.
  stats.AddStat("SETI", "a", "h", "1", 5, false);
  EXPECT_EQ(stats.Entries().size(), 6u);
  EXPECT_EQ(stats.Entries()[2].counts.cpuSeconds[kStatGood], 7u);
}

TEST(BuildStatTreeTest, NodesPerLevelWithSumsAndUnknownNames) {
  TStatArray stats;
  stats.AddStat("", "", "", "", 100, false);
  stats.AddStat("P", "app", "h1", "5.1", 10, false);
  stats.AddStat("P", "app", "h1", " ", 20, true);
  stats.AddStat("P", "app", "h2", "5.1", 0, false);
  stats.AddStat("P", "other", "h1", "5.1", 40, false);
  stats.SortStats();
  const StatTree tree = BuildStatTree(stats.Entries());
  ASSERT_EQ(tree.roots.size(), 2u);

  const StatNode& unknown = tree.nodes[tree.roots[0]];
  EXPECT_EQ(unknown.name, kUnknownProject);
  const StatNode& unknownApp = tree.nodes[unknown.children.at(0)];
  EXPECT_EQ(unknownApp.name, kUnknownApplication);
  const StatNode& unknownHost = tree.nodes[unknownApp.children.at(0)];
  EXPECT_EQ(unknownHost.name, kUnknownHost);
  EXPECT_EQ(tree.nodes[unknownHost.children.at(0)].name, kUnknownVersion);

  const StatNode& project = tree.nodes[tree.roots[1]];
  EXPECT_EQ(project.name, "P");
  EXPECT_EQ(project.level, StatLevel::Project);
  EXPECT_EQ(project.counts.workUnits, (std::array<std::uint32_t, 3>{2, 1, 1}));
  EXPECT_EQ(project.counts.cpuSeconds, (std::array<std::uint64_t, 3>{50, 20, 0}));
  ASSERT_EQ(project.children.size(), 2u);
  const StatNode& app = tree.nodes[project.children[0]];
  EXPECT_EQ(app.name, "app");
  ASSERT_EQ(app.children.size(), 2u);
  const StatNode& host1 = tree.nodes[app.children[0]];
  EXPECT_EQ(host1.level, StatLevel::Host);
  ASSERT_EQ(host1.children.size(), 2u);
  EXPECT_EQ(tree.nodes[host1.children[0]].name, "Unknown version");  // " " sorts before "5.1"
  EXPECT_EQ(tree.nodes[host1.children[1]].name, "Version 5.1");
  EXPECT_EQ(tree.nodes[host1.children[1]].level, StatLevel::Version);
  EXPECT_EQ(host1.counts.workUnits, (std::array<std::uint32_t, 3>{1, 1, 0}));
  // The same host under another application gets a node of its own.
  EXPECT_EQ(tree.nodes[tree.nodes[project.children[1]].children.at(0)].name, "h1");
}

TEST(BuildStatTreeTest, NamesThatLookLikeTheStartMarkerStillGetNodes) {
  TStatArray stats;
  stats.AddStat("A", "-", "-", "1", 1, false);
  stats.AddStat("B", "-", "h", "1", 1, false);
  stats.SortStats();
  const StatTree tree = BuildStatTree(stats.Entries());
  ASSERT_EQ(tree.roots.size(), 2u);
  for (std::size_t root : tree.roots) {
    const StatNode& project = tree.nodes[root];
    ASSERT_EQ(project.children.size(), 1u);
    EXPECT_EQ(tree.nodes[project.children[0]].name, "-");
    EXPECT_EQ(project.counts.workUnits[kStatGood], 1u);
  }
}

StatNode NodeWith(std::array<std::uint32_t, 3> units, std::array<std::uint64_t, 3> cpu) {
  StatNode node;
  node.name = "n";
  node.counts.workUnits = units;
  node.counts.cpuSeconds = cpu;
  return node;
}

std::vector<std::string> Texts(const StatNode& node, bool filterErrors, bool zeroAsError) {
  std::vector<std::string> texts;
  for (int column = 0; column < 5; ++column) {
    texts.push_back(TreeGetText(node, column, {filterErrors, zeroAsError}));
  }
  return texts;
}

TEST(TreeGetTextTest, TheFourOptionCombinations) {
  // 4 good rows with 8 days, 2 errors with 1 day, 3 rows with 0 seconds.
  const StatNode node = NodeWith({4, 2, 3}, {8 * 86400, 86400, 0});
  using V = std::vector<std::string>;
  // Nothing checked: every row counts; errors are those flagged.
  EXPECT_EQ(Texts(node, false, false), (V{"n", "9", "2", "9.0 days", "24.0 hours"}));
  // Errors filtered: neither the error rows nor their CPU time count.
  EXPECT_EQ(Texts(node, true, false), (V{"n", "7", "2", "8.0 days", "27.4 hours"}));
  // Both: the rows with 0 seconds are errors, and filtered with them.
  EXPECT_EQ(Texts(node, true, true), (V{"n", "4", "5", "8.0 days", "48.0 hours"}));
  // Zero alone: every row counts, the rows with 0 seconds among the errors.
  EXPECT_EQ(Texts(node, false, true), (V{"n", "9", "5", "9.0 days", "24.0 hours"}));
}

TEST(TreeGetTextTest, NodeWithoutWorkUnitsAndLargeCounts) {
  EXPECT_EQ(TreeGetText(NodeWith({0, 3, 0}, {0, 100, 0}), 4, {true, false}), "0 hours");
  EXPECT_EQ(TreeGetText(NodeWith({0, 3, 0}, {0, 100, 0}), 5, {}), "");
  // Work units times 3600 beyond 32 bits still give the right average.
  const StatNode big = NodeWith({2'000'000, 0, 0}, {2'000'000ull * 7200, 0, 0});
  EXPECT_EQ(TreeGetText(big, 4, {}), "2.0 hours");
}

}  // namespace
}  // namespace tessarin
