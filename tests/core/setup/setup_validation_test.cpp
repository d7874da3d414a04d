#include "core/setup/setup_validation.h"
#include "core/setup/remote_choice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "setup_fakes.h"
#include "support/temp_dir.h"

namespace tessarin {
namespace {

using test::ScriptedPrompter;
using test::TempDir;
using A = PromptAnswer;

class SetupValidationTest : public ::testing::Test {
 protected:
  SetupValidationTest() {
    client = dir.MakeDir("client");
    dir.Write("client/client_state.xml", "<client_state/>");
    logDir = dir.MakeDir("logs");
  }
  SetupSettings Values(std::vector<BoincDirEntry> dirs) const {
    SetupSettings s;
    s.boincDirs = std::move(dirs);
    s.logDir = logDir;
    return s;
  }

  TempDir dir;
  std::string client;
  std::string logDir;
};

TEST_F(SetupValidationTest, TheMessagesReadAsTheProgramAlwaysWroteThem) {
  EXPECT_STREQ(setup_texts::kCreateLogDir,
               "The specified log directory does not exist. It\xC2\xB4ll now be created!");
  EXPECT_EQ(NotBoincDirText("/x"),
            "The specified directory \"/x\"\r\ndoesn\xC2\xB4t seem to be a valid BOINC "
            "directory!");
}

TEST_F(SetupValidationTest, AnEmptyListIsReportedFirstEvenWithoutALogDirectory) {
  SetupSettings s = Values({});
  s.logDir.clear();
  ScriptedPrompter prompter;
  EXPECT_FALSE(ValidateSetup(s, prompter));
  EXPECT_EQ(prompter.asked, (std::vector<SetupMessage>{
                                {PromptKind::Error, PromptButtons::Ok, setup_texts::kNoBoincDir}}));

  // A remote client alone is a client to watch.
  for (const bool remote : {false, true}) {
    s.boincDirs.clear();
    s.remotes.clear();
    if (remote)
      s.remotes = {{RemoteAddress{"boinc-box", 31416}, true, ""}};
    else
      s.boincDirs = {{client, true}};
    ScriptedPrompter second;
    EXPECT_FALSE(ValidateSetup(s, second));
    EXPECT_EQ(second.asked, (std::vector<SetupMessage>{
                                {PromptKind::Error, PromptButtons::Ok, setup_texts::kNoLogDir}}));
  }
}

TEST_F(SetupValidationTest, AMissingLogDirectoryIsCreatedOnOkAndKeptMissingOnCancel) {
  SetupSettings s = Values({{client, true}});
  s.logDir = dir.path() + "new logs";

  ScriptedPrompter cancel({A::Cancel});
  EXPECT_FALSE(ValidateSetup(s, cancel));
  EXPECT_EQ(cancel.asked,
            (std::vector<SetupMessage>{
                {PromptKind::Information, PromptButtons::OkCancel, setup_texts::kCreateLogDir}}));
  EXPECT_FALSE(std::filesystem::exists(s.logDir));

  ScriptedPrompter ok({A::Ok});
  EXPECT_TRUE(ValidateSetup(s, ok));
  EXPECT_TRUE(std::filesystem::is_directory(s.logDir));
  EXPECT_EQ(ok.asked.size(), 1u);
}

TEST_F(SetupValidationTest, OnlyOneLevelIsCreatedAndAFailureStopsWithoutAFurtherMessage) {
  SetupSettings s = Values({{client, true}});
  s.logDir = dir.path() + "missing/logs";
  ScriptedPrompter prompter({A::Ok});
  EXPECT_FALSE(ValidateSetup(s, prompter));
  EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{setup_texts::kCreateLogDir}));
  EXPECT_FALSE(std::filesystem::exists(dir.path() + "missing"));
}

TEST_F(SetupValidationTest, ALogDirectoryAmongTheClientsWarnsAndIgnoreGoesOn) {
  // Exactly the text of an unchecked entry still counts; letter case does.
  SetupSettings s = Values({{client, true}, {logDir, false}});
  ScriptedPrompter ok({A::Ok});
  EXPECT_FALSE(ValidateSetup(s, ok));
  EXPECT_EQ(ok.asked, (std::vector<SetupMessage>{
                          {PromptKind::Warning, PromptButtons::OkIgnore, setup_texts::kSameDirs}}));

  ScriptedPrompter ignore({A::Ignore});
  EXPECT_TRUE(ValidateSetup(s, ignore));
  EXPECT_EQ(ignore.asked.size(), 1u);

  // Closing the box without a button is no permission.
  ScriptedPrompter closed({A::Cancel});
  EXPECT_FALSE(ValidateSetup(s, closed));
}

TEST_F(SetupValidationTest, ALogDirectoryDifferingOnlyInCaseIsNoClientDirectory) {
  const std::string upper = dir.MakeDir("LOGS");
  SetupSettings s = Values({{client, true}, {upper, false}});
  s.logDir = logDir;
  ScriptedPrompter prompter;
  EXPECT_TRUE(ValidateSetup(s, prompter));
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(SetupValidationTest, ARelativeLogDirectoryOrAFileIsRefusedWithItsReason) {
  dir.Write("a-file", "x");
  const struct {
    std::string logDir;
    const char* text;
  } cases[] = {
      {"rel-logs", setup_texts::kRelativeLogDir},
      {"./logs", setup_texts::kRelativeLogDir},
      {"~/tess-logs", setup_texts::kRelativeLogDir},  // "~" is expanded before, never here
      {dir.path() + "a-file", setup_texts::kLogDirIsFile},
  };
  for (const auto& c : cases) {
    SetupSettings s = Values({{client, true}});
    s.logDir = c.logDir;
    ScriptedPrompter prompter;
    EXPECT_FALSE(ValidateSetup(s, prompter)) << c.logDir;
    EXPECT_EQ(prompter.asked,
              (std::vector<SetupMessage>{{PromptKind::Error, PromptButtons::Ok, c.text}}))
        << c.logDir;
  }
  EXPECT_FALSE(std::filesystem::exists("rel-logs"));
}

TEST_F(SetupValidationTest, ALogOrProgramDirectoryInATickedClientIsRefused) {
  std::filesystem::create_directory_symlink(client, dir.path() + "link");
  const SetupMessage refused{PromptKind::Error, PromptButtons::Ok, setup_texts::kSameDirs};
  const SetupMessage warned{PromptKind::Warning, PromptButtons::OkIgnore, setup_texts::kSameDirs};
  const struct {
    std::string logDir;
    std::string programDir;
    bool ticked;
    SetupMessage shown;
  } cases[] = {
      {client.substr(0, client.size() - 1), "", true, refused},
      {client + "./logs//", "", true, refused},
      {dir.path() + "logs/../client/logs", "", true, refused},
      {dir.path() + "link/logs", "", true, refused},
      {logDir, client + "tessarin", true, refused},
      {client + "logs", "", false, warned},
  };
  for (const auto& c : cases) {
    std::filesystem::create_directories(c.logDir);
    SetupSettings s = Values({{client, c.ticked}});
    s.logDir = c.logDir;
    ScriptedPrompter prompter({A::Ignore});
    EXPECT_EQ(ValidateSetup(s, prompter, c.programDir), !c.ticked) << c.logDir;
    EXPECT_EQ(prompter.asked, std::vector<SetupMessage>{c.shown}) << c.logDir;
  }
}

TEST_F(SetupValidationTest, OnlyCheckedDirectoriesMustHoldClientState) {
  const std::string empty = dir.MakeDir("empty");
  ScriptedPrompter prompter;
  EXPECT_TRUE(ValidateSetup(Values({{empty, false}, {dir.path() + "nowhere", false}}), prompter));
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(SetupValidationTest, IgnoreOnTheFirstBadDirectoryAsksAboutTheNextOkStops) {
  const std::string a = dir.MakeDir("a");
  const std::string b = dir.MakeDir("b");
  const auto values = Values({{a, true}, {client, true}, {b, true}});

  ScriptedPrompter ignoreThenOk({A::Ignore, A::Ok});
  EXPECT_FALSE(ValidateSetup(values, ignoreThenOk));
  EXPECT_EQ(ignoreThenOk.Texts(),
            (std::vector<std::string>{NotBoincDirText(a), NotBoincDirText(b)}));
  EXPECT_EQ(ignoreThenOk.asked[1].kind, PromptKind::Warning);
  EXPECT_EQ(ignoreThenOk.asked[1].buttons, PromptButtons::OkIgnore);

  ScriptedPrompter okFirst({A::Ok});
  EXPECT_FALSE(ValidateSetup(values, okFirst));
  EXPECT_EQ(okFirst.Texts(), (std::vector<std::string>{NotBoincDirText(a)}));

  ScriptedPrompter ignoreBoth({A::Ignore, A::Ignore});
  EXPECT_TRUE(ValidateSetup(values, ignoreBoth));
}

TEST_F(SetupValidationTest, IsBoincDirLooksInsideWithOrWithoutTrailingSeparator) {
  ScriptedPrompter prompter;
  EXPECT_TRUE(IsBoincDir(client, prompter));
  EXPECT_TRUE(IsBoincDir(client.substr(0, client.size() - 1), prompter));
  EXPECT_TRUE(prompter.asked.empty());
  // A file is no directory of a client.
  const std::string file = dir.Write("plain", "x");
  EXPECT_FALSE(IsBoincDir(file, prompter));
  EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{NotBoincDirText(file)}));
}

TEST_F(SetupValidationTest, TheStepsRunInOrderUpToTheFirstStop) {
  // A missing log directory that is also listed unticked, and a ticked directory without
  // client state: create, then warn about the sameness, then the client directory.
  SetupSettings s = Values({{client, true}});
  s.logDir = dir.path() + "fresh";
  const std::string empty = dir.MakeDir("empty");
  s.boincDirs.push_back({s.logDir, false});
  s.boincDirs.push_back({empty, true});
  ScriptedPrompter prompter({A::Ok, A::Ignore, A::Ok});
  EXPECT_FALSE(ValidateSetup(s, prompter));
  EXPECT_EQ(prompter.Texts(),
            (std::vector<std::string>{setup_texts::kCreateLogDir, setup_texts::kSameDirs,
                                      NotBoincDirText(empty)}));
}

}  // namespace
}  // namespace tessarin

namespace tessarin {
namespace {

TEST(RemoteChoice, NamesWhatIsWrongAndAddsOrReplacesTheClient) {
  TempDir dir;
  const std::string open = dir.Write("open.pw", "pw\n");
  const std::string own = dir.Write("own.pw", "pw\n");
  std::filesystem::permissions(open, std::filesystem::perms(0644));
  std::filesystem::permissions(own, std::filesystem::perms(0600));
  struct Case {
    RemoteChoice choice;
    bool fine;
  };
  const Case cases[] = {
      {{"boinc-box", 31416, false, "pw", ""}, true},
      {{"fe80::2", 1043, false, "", ""}, true},
      {{"", 31416, false, "pw", ""}, false},
      {{"a b", 31416, false, "pw", ""}, false},
      {{"box", 0, false, "pw", ""}, false},
      {{"box", 31416, true, "", open}, false},
      {{"box", 31416, true, "", dir.path() + "missing.pw"}, false},
      {{"box", 31416, true, "", own}, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RemoteChoiceProblem(c.choice).empty(), c.fine) << c.choice.host;

  SetupSettings values;
  AddRemoteClient(values, {"box", 31416, false, "typed", ""});
  AddRemoteClient(values, {"fe80::2", 1043, false, "", ""});
  AddRemoteClient(values, {"box", 31416, true, "", own});
  ASSERT_EQ(values.remotes.size(), 2u);
  EXPECT_EQ(values.remotes[0].address.Key(), "box:31416");
  EXPECT_EQ(values.remotes[0].passwordFile, own);
  EXPECT_EQ(values.remotes[1].address.Key(), "[fe80::2]:1043");
  // The typed password of "box" is dropped again once it reads its password from a file.
  EXPECT_EQ(values.typedPasswords, (std::vector<std::pair<std::string, std::string>>{
                                       {"[fe80::2]:1043", ""}, {"box:31416", ""}}));
}

}  // namespace
}  // namespace tessarin
