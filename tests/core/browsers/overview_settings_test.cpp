#include "core/browsers/overview_settings.h"

#include <gtest/gtest.h>

#include "core/settings/settings_store.h"
#include "support/temp_dir.h"

namespace tessarin {
namespace {

class OverviewSettings : public ::testing::Test {
 protected:
  std::string Path() const { return dir.path() + "Tessarin.ini"; }

  test::TempDir dir;
};

TEST_F(OverviewSettings, MissingKeysGiveTheDesignValues) {
  const SettingsStore store(Path());
  EXPECT_EQ(LoadOverviewGeometry(store), (OverviewGeometry{257, 157, 243, 678, false}));
  const OverviewColumnLayouts columns = LoadOverviewColumns(store, DesignOverviewColumns());
  EXPECT_EQ(columns, DesignOverviewColumns());
  EXPECT_EQ(columns[0], (OverviewColumnLayout{0, 350}));
  EXPECT_EQ(columns[5], (OverviewColumnLayout{5, 100}));
}

TEST_F(OverviewSettings, SavedValuesComeBackFromTheFile) {
  OverviewColumnLayouts columns = DesignOverviewColumns();
  columns[0].Position = 1;
  columns[1].Position = 0;
  columns[4].Width = 300;
  {
    SettingsStore store(Path());
    ASSERT_TRUE(SaveOverviewSettings(store, {10, 20, 400, 800, false}, true, columns));
  }
  const SettingsStore reread(Path());
  EXPECT_EQ(reread.ReadString("overview", "TreeColPos1", ""), "1");
  EXPECT_EQ(reread.ReadString("Overview", "TreeColWidth5", ""), "300");
  EXPECT_EQ(LoadOverviewGeometry(reread), (OverviewGeometry{10, 20, 400, 800, false}));
  EXPECT_EQ(LoadOverviewColumns(reread, DesignOverviewColumns()), columns);
}

TEST_F(OverviewSettings, MaximizedWindowKeepsItsNormalPlacement) {
  SettingsStore store(Path());
  ASSERT_TRUE(
      SaveOverviewSettings(store, {10, 20, 400, 800, false}, true, DesignOverviewColumns()));
  ASSERT_TRUE(
      SaveOverviewSettings(store, {0, 0, 1080, 1920, true}, false, DesignOverviewColumns()));
  EXPECT_EQ(LoadOverviewGeometry(store), (OverviewGeometry{10, 20, 400, 800, true}));
}

TEST_F(OverviewSettings, DamagedColumnKeysAreNotApplied) {
  SettingsStore store(Path());
  store.WriteInteger("Overview", "TreeColPos1", 3);  // two columns at position 3
  store.WriteInteger("Overview", "TreeColPos2", 1);
  store.WriteInteger("Overview", "TreeColWidth6", 5);
  store.WriteString("Overview", "TreeColWidth3", "wide");
  const OverviewColumnLayouts columns = LoadOverviewColumns(store, DesignOverviewColumns());
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(columns[i].Position, i);
  EXPECT_EQ(columns[5].Width, 50);   // the column's minimum
  EXPECT_EQ(columns[2].Width, 105);  // unreadable: the current width
}

TEST_F(OverviewSettings, UnwritableFileIsReported) {
  SettingsStore store(dir.MakeDir("sub") + "/missing/Tessarin.ini");
  EXPECT_FALSE(SaveOverviewSettings(store, OverviewGeometry{}, true, DesignOverviewColumns()));
  EXPECT_FALSE(store.ReadBool("Overview", "Maximized", true));  // still in the store
}

}  // namespace
}  // namespace tessarin
