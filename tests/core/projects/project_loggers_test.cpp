#include "core/projects/project_loggers.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/data/log_files.h"
#include "support/test_environment.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;

std::string Prefix() {
  std::string prefix;
  for (int k = 1; k <= 43; ++k)
    prefix += "p" + std::to_string(k) + ',';
  return prefix;
}

class ProjectLoggersTest : public ::testing::Test {
 protected:
  void Log(ProjectKind kind) {
    t.dir.Write("logs/wu.tess", "<workunit_header><name>wu</name></workunit_header>");
    loggers.LogProjectResult(kind, Prefix(), "wu_0", "wu", flags);
  }
  std::vector<std::string> Logs() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(t.env.logDir)) {
      const std::string name = entry.path().filename();
      if (name.ends_with(".csv"))
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  test::TestEnvironment t;
  ProjectLoggers loggers{t.env};
  CycleFlags flags;
};

TEST_F(ProjectLoggersTest, KindChoosesTheLogger) {
  Log(ProjectKind::kSeti);
  EXPECT_EQ(Logs(),
            (std::vector<std::string>{logs::kSahCsv, logs::kSahGaussianCsv, logs::kSahPulseCsv,
                                      logs::kSahSpikeCsv, logs::kSahTripletCsv}));
  EXPECT_TRUE(flags.wallpaperRequest);

  for (const auto& entry : fs::directory_iterator(t.env.logDir))
    fs::remove(entry.path());
  Log(ProjectKind::kAstropulse);
  EXPECT_EQ(Logs(), std::vector<std::string>{logs::kApCsv});

  for (const auto& entry : fs::directory_iterator(t.env.logDir))
    fs::remove(entry.path());
  Log(ProjectKind::kEinstein);
  EXPECT_EQ(Logs(), (std::vector<std::string>{logs::kEinsteinCsv, logs::kEinsteinResultCsv}));
}

TEST_F(ProjectLoggersTest, OtherKindsHaveNoProjectLog) {
  for (ProjectKind kind :
       {ProjectKind::kOther, ProjectKind::kPredictor, ProjectKind::kClimate, ProjectKind::kLhc}) {
    Log(kind);
  }
  EXPECT_TRUE(Logs().empty());
  EXPECT_FALSE(flags.wallpaperRequest);
}

}  // namespace
}  // namespace tessarin
