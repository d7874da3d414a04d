#include "core/projects/command_log_conversion.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_environment.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;

class CommandLogConversionTest : public ::testing::Test {
 protected:
  bool Exists(const std::string& name) const { return fs::exists(t.env.logDir + name); }

  test::TestEnvironment t;
};

TEST_F(CommandLogConversionTest, CommandBackupBecomesAWorkunitDescription) {
  t.dir.Write("logs/h1_0100.0_S5R4__12_S5R4a_1_0_command.tess",
              "--IFO=H1 --startTime=100 --Freq=1000.5 ");
  ConvertCommandLogs(t.env);

  EXPECT_EQ(t.dir.Read("logs/h1_0100.0_S5R4__12_S5R4a.xml"),
            "<workunit>\r\n    <name>h1_0100.0_S5R4__12_S5R4a</name>\r\n"
            "    <command_line>--IFO=H1 --startTime=100 --Freq=1000.5 </command_line>\r\n"
            "</workunit>\r\n");
  EXPECT_FALSE(Exists("h1_0100.0_S5R4__12_S5R4a_1_0_command.tess"));
  EXPECT_FALSE(Exists("h1_0100.0_S5R4__12_S5R4a.xml.tmp"));
}

TEST_F(CommandLogConversionTest, ExistingDescriptionLeavesTheBackupAlone) {
  t.dir.Write("logs/A_1_0_command.tess", "-x");
  t.dir.Write("logs/A.xml", "<workunit>current</workunit>");
  ConvertCommandLogs(t.env);

  EXPECT_EQ(t.dir.Read("logs/A.xml"), "<workunit>current</workunit>");
  EXPECT_EQ(t.dir.Read("logs/A_1_0_command.tess"), "-x");
}

TEST_F(CommandLogConversionTest, FailureKeepsThatBackupAndConvertsTheOthers) {
  t.dir.Write("logs/A_1_0_command.tess", "-a");
  t.dir.Write("logs/B_1_0_command.tess", "-b");
  t.dir.MakeDir("logs/A.xml.tmp");  // the description cannot be written

  EXPECT_THROW(ConvertCommandLogs(t.env), std::runtime_error);
  EXPECT_EQ(t.dir.Read("logs/A_1_0_command.tess"), "-a");
  EXPECT_FALSE(Exists("A.xml"));
  EXPECT_TRUE(Exists("B.xml"));
  EXPECT_FALSE(Exists("B_1_0_command.tess"));
}

}  // namespace
}  // namespace tessarin
