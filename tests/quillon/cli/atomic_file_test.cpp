#include "atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace quillon {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("quillon-atomic-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "old.txt") << "old";
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string Read(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
  }
  int FileCount() { return static_cast<int>(std::distance(fs::directory_iterator(dir), {})); }

  fs::path dir;
};

TEST_F(AtomicFile, ReplacesTheFileWholeWithTheUsualPermissions) {
  WriteFileAtomically((dir / "old.txt").string(), [](std::ostream& out) { out << "new"; });
  EXPECT_EQ(Read(dir / "old.txt"), "new");
  WriteFileAtomically((dir / "fresh.txt").string(), [](std::ostream& out) { out << "x"; });
  EXPECT_EQ(FileCount(), 2);  // no temporary file left
  const mode_t mask = umask(0);
  umask(mask);
  struct stat info {};
  ASSERT_EQ(stat((dir / "fresh.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST_F(AtomicFile, AFailureLeavesTheOldFileAndNothingElse) {
  EXPECT_THROW(WriteFileAtomically((dir / "old.txt").string(),
                                   [](std::ostream& out) {
                                     out << "half";
                                     throw std::runtime_error("stopped");
                                   }),
               std::runtime_error);
  EXPECT_THROW(WriteFileAtomically(dir.string(), [](std::ostream&) {}), FileWriteError);
  EXPECT_THROW(WriteFileAtomically((dir / "none" / "x.txt").string(), [](std::ostream&) {}),
               FileWriteError);
  EXPECT_EQ(Read(dir / "old.txt"), "old");
  EXPECT_EQ(FileCount(), 1);
}

}  // namespace
}  // namespace quillon
