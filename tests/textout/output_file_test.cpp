// Output files replace their name whole or not at all, and never write
// through whatever stands at the name.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "tests/support/test_support.h"
#include "textout/text_writer.h"

namespace {

using namespace testing_support;
namespace fs = std::filesystem;

std::set<std::string> names_in(const TempDir& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir.path())) names.insert(e.path().filename());
  return names;
}

bool write_and_close(const fs::path& path, std::string_view bytes) {
  TextWriter out(path.string());
  if (!out.is_open()) return false;
  out.raw(bytes);
  return out.close();
}

TEST(OutputFile, NameKeepsItsFileUntilTheNewOneIsWhole) {
  TempDir dir;
  write_file(dir / "a.txt", "earlier");
  {
    TextWriter out((dir / "a.txt").string());
    ASSERT_TRUE(out.is_open());
    out.raw("new");
    out.flush();
    EXPECT_EQ(read_file(dir / "a.txt"), "earlier");  // written elsewhere until closed
    EXPECT_EQ(names_in(dir).size(), 2u);
  }  // destroyed without close(): dropped
  EXPECT_EQ(read_file(dir / "a.txt"), "earlier");
  EXPECT_EQ(names_in(dir), std::set<std::string>{"a.txt"});

  {
    TextWriter out((dir / "a.txt").string());
    out.raw("discarded");
    out.discard();
    EXPECT_FALSE(out.close());
  }
  EXPECT_EQ(read_file(dir / "a.txt"), "earlier");
  ASSERT_TRUE(write_and_close(dir / "a.txt", "new"));
  EXPECT_EQ(read_file(dir / "a.txt"), "new");
  EXPECT_EQ(names_in(dir), std::set<std::string>{"a.txt"});
}

TEST(OutputFile, LinksAtTheNameAreReplacedNeverFollowed) {
  TempDir dir;
  write_file(dir / "target", "someone else's");
  fs::permissions(dir / "target", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(dir / "target", dir / "link.m");
  fs::create_symlink(dir / "nowhere", dir / "dangling.m");
  ASSERT_TRUE(write_and_close(dir / "link.m", "ours"));
  ASSERT_TRUE(write_and_close(dir / "dangling.m", "ours too"));
  EXPECT_EQ(read_file(dir / "target"), "someone else's");
  EXPECT_EQ(fs::status(dir / "target").permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_FALSE(fs::exists(dir / "nowhere"));
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "link.m")));
  EXPECT_EQ(read_file(dir / "link.m"), "ours");
  EXPECT_EQ(read_file(dir / "dangling.m"), "ours too");
}

TEST(OutputFile, APipeAtTheNameIsReplacedWithoutBeingOpened) {
  TempDir dir;
  ASSERT_EQ(mkfifo((dir / "wav_x.h").c_str(), 0644), 0);
  ASSERT_TRUE(write_and_close(dir / "wav_x.h", "array"));  // would block if opened
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "wav_x.h")));
  EXPECT_EQ(read_file(dir / "wav_x.h"), "array");
}

TEST(OutputFile, KeepsThePermissionBitsOfTheFileItReplaces) {
  TempDir dir;
  write_file(dir / "kept.h", "earlier");
  ASSERT_EQ(chmod((dir / "kept.h").c_str(), 0640), 0);
  ASSERT_TRUE(write_and_close(dir / "kept.h", "new"));
  struct stat status {};
  ASSERT_EQ(stat((dir / "kept.h").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);

  const mode_t mask = umask(0);
  umask(mask);
  ASSERT_TRUE(write_and_close(dir / "fresh.h", "new"));
  ASSERT_EQ(stat((dir / "fresh.h").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0666u & ~mask);
}

TEST(OutputFile, AFolderAtTheNameCannotBeReplaced) {
  TempDir dir;
  fs::create_directory(dir / "wav_x.h");
  TextWriter out((dir / "wav_x.h").string());
  EXPECT_FALSE(out.is_open());
  EXPECT_EQ(names_in(dir), std::set<std::string>{"wav_x.h"});
}

}  // namespace
