#include "core/projects/zip_first_member.h"

#include <gtest/gtest.h>

#include "support/test_environment.h"
#include "zip_fixture.h"

namespace tessarin {
namespace {

class ZipFirstMemberTest : public ::testing::Test {
 protected:
  std::string Read(const std::string& relative, std::uint64_t maxSize = kMaxZipMemberSize) {
    return ReadFirstZipMember(t.dir.path() + relative, t.exceptions, maxSize);
  }

  test::TestEnvironment t;
};

TEST_F(ZipFirstMemberTest, GivesTheFirstMemberOnlyWhetherDeflatedOrStored) {
  const std::string text(5000, 'x');
  test::WriteZip(t.dir.path() + "deflated.zip",
                 {{"out.txt", "%1\n" + text}, {"second.txt", "not this"}});
  test::WriteZip(t.dir.path() + "stored.zip", {{"a", std::string("a\0b", 3), true}});
  EXPECT_EQ(Read("deflated.zip"), "%1\n" + text);
  EXPECT_EQ(Read("stored.zip"), std::string("a\0b", 3));
  EXPECT_TRUE(t.ExceptionKeys().empty());
}

TEST_F(ZipFirstMemberTest, MissingEmptyOrMemberlessArchivesGiveNothingQuietly) {
  t.dir.Write("empty.zip", "");
  // End-of-central-directory record of an archive without members.
  t.dir.Write("memberless.zip", std::string("PK\x05\x06", 4) + std::string(18, '\0'));
  // Output of today's applications: no archive at all.
  t.dir.Write("plain.txt", "%1\n100.5 1.0 0.5 12.5\n");
  t.dir.Write("gzip.gz", std::string("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03", 10) + "xyz");
  test::WriteZip(t.dir.path() + "empty-member.zip", {{"out.txt", ""}});
  EXPECT_EQ(Read("missing.zip"), "");
  EXPECT_EQ(Read("empty.zip"), "");
  EXPECT_EQ(Read("memberless.zip"), "");
  EXPECT_EQ(Read("plain.txt"), "");
  EXPECT_EQ(Read("gzip.gz"), "");
  EXPECT_EQ(Read("empty-member.zip"), "");
  EXPECT_TRUE(t.ExceptionKeys().empty());
}

TEST_F(ZipFirstMemberTest, DamagedArchivesGiveNothingAndAreCounted) {
  const std::string archive = test::ZipBytes({{"out.txt", std::string(3000, 'q')}});
  t.dir.Write("garbage.zip", "PK this starts like an archive and is none, long enough text");
  t.dir.Write("truncated.zip", archive.substr(0, archive.size() / 2));
  // Flipped bytes inside the compressed data: the member's checksum no longer matches.
  std::string corrupt = archive;
  for (std::size_t i = 40; i < 50; ++i) {
    corrupt[i] = static_cast<char>(corrupt[i] ^ 0x5A);
  }
  t.dir.Write("corrupt.zip", corrupt);
  EXPECT_EQ(Read("garbage.zip"), "");
  EXPECT_EQ(Read("truncated.zip"), "");
  EXPECT_EQ(Read("corrupt.zip"), "");
  EXPECT_EQ(t.ExceptionKeys().size(), 3u);
}

TEST_F(ZipFirstMemberTest, RefusesAMemberAboveTheLimit) {
  test::WriteZip(t.dir.path() + "big.zip", {{"out.txt", std::string(100, 'b')}});
  EXPECT_EQ(Read("big.zip", 99), "");
  EXPECT_EQ(
      t.ExceptionCount("ReadFirstZipMember - " + t.dir.path() + "big.zip" + " - Member too large"),
      1);
  EXPECT_EQ(Read("big.zip", 100), std::string(100, 'b'));
}

}  // namespace
}  // namespace tessarin
