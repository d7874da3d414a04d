#include "core/data/project_record.h"

#include <gtest/gtest.h>

#include "core/data/project_dir_name.h"

namespace tessarin {
namespace {

ProjectKind KindOf(const std::string& name) {
  ProjectRecord project;
  project.project_name = name;
  return IdentifyProject(project);
}

TEST(IdentifyProjectTest, FirstMatchingMarkerWins) {
  EXPECT_EQ(KindOf("SETI@home Beta"), ProjectKind::kSeti);
  EXPECT_EQ(KindOf("Astropulse"), ProjectKind::kAstropulse);
  EXPECT_EQ(KindOf("SETI Astropulse"), ProjectKind::kSeti);
  EXPECT_EQ(KindOf("Predictor@home"), ProjectKind::kPredictor);
  EXPECT_EQ(KindOf("climateprediction.net"), ProjectKind::kClimate);
  EXPECT_EQ(KindOf("CPDN Beta"), ProjectKind::kClimate);
  EXPECT_EQ(KindOf("lhc@home"), ProjectKind::kLhc);
  EXPECT_EQ(KindOf("Einstein@Home"), ProjectKind::kEinstein);
  EXPECT_EQ(KindOf("Rosetta@home"), ProjectKind::kOther);
  EXPECT_EQ(KindOf(""), ProjectKind::kOther);
}

TEST(ReadProjectRecordTest, ReadsFieldsNumbersAndFlags) {
  const std::string element =
      "<master_url>http://setiathome.berkeley.edu/</master_url>"
      "<project_name>SETI@home</project_name><user_name>Ann \"A\" B</user_name>"
      "<resource_share>100.5</resource_share><long_term_debt>-12.25</long_term_debt>"
      "<duration_correction_factor>0.005</duration_correction_factor>"
      "<suspended_via_gui/><non_cpu_intensive>1</non_cpu_intensive>";
  const ProjectRecord project = ReadProjectRecord(element);
  EXPECT_EQ(project.master_url, "http://setiathome.berkeley.edu/");
  EXPECT_EQ(project.user_name, "Ann \"A\" B");
  EXPECT_EQ(project.kind, ProjectKind::kSeti);
  EXPECT_FLOAT_EQ(project.resource_share, 100.5f);
  EXPECT_FLOAT_EQ(project.long_term_debt, -12.25f);
  EXPECT_FLOAT_EQ(project.duration_correction_factor, 1.0f);
  EXPECT_TRUE(project.suspended);
  EXPECT_TRUE(project.non_cpu_intensive);
}

TEST(ReadProjectRecordTest, CorrectionFactorFloorAndWidths) {
  EXPECT_FLOAT_EQ(ReadProjectRecord("<duration_correction_factor>0.01</duration_correction_factor>")
                      .duration_correction_factor,
                  0.01f);
  EXPECT_FLOAT_EQ(ReadProjectRecord("").duration_correction_factor, 1.0f);
  EXPECT_FLOAT_EQ(ReadProjectRecord("<resource_share>abc</resource_share>").resource_share, 0);
  const std::string longName(80, 'x');
  EXPECT_EQ(ReadProjectRecord("<project_name>" + longName + "</project_name>").project_name,
            std::string(50, 'x'));
  EXPECT_FALSE(ReadProjectRecord("<project_name>x</project_name>").suspended);
}

TEST(ProjectDirNameTest, FollowsTheClientsNaming) {
  EXPECT_EQ(ProjectDirName("http://setiathome.berkeley.edu/"), "setiathome.berkeley.edu");
  EXPECT_EQ(ProjectDirName("http://einstein.phys.uwm.edu"), "einstein.phys.uwm.edu");
  EXPECT_EQ(ProjectDirName("http://host.org/a/b/"), "host.org_a_b");
  EXPECT_EQ(ProjectDirName("https://boinc.bakerlab.org/rosetta/"), "boinc.bakerlab.org_rosetta");
  EXPECT_EQ(ProjectDirName("http://127.0.0.1:39833/loopback/"), "127.0.0.1_39833_loopback");
  EXPECT_EQ(ProjectDirName("https://host/~user/x/"), "host__user_x");
}

TEST(ProjectDirNameTest, NeverNamesTheProjectsFolderOrItsParent) {
  for (const char* url :
       {"http://../", "http://..", "http://./", "http://", "", "https://../", "http://.../", "/"}) {
    const std::string name = ProjectDirName(url);
    EXPECT_FALSE(name.empty() || name == "." || name == "..") << url;
    EXPECT_EQ(name.find('/'), std::string::npos) << url;
  }
  EXPECT_EQ(ProjectDirName("http://.../"), "___");
}

}  // namespace
}  // namespace tessarin
