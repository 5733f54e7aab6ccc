#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "result_doc_json.hpp"
#include "sample_docs.hpp"
#include "support/test_support.hpp"

namespace tessan {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

std::vector<std::string> entries_of(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ResultDocFile, WritesTheSerialisedTextAndReadsItBack) {
  TempDir dir;
  const fs::path path = dir.path() / "M-tessan.result.json";
  const ResultDoc doc = testing::full_document();
  ASSERT_TRUE(write_result_doc(doc, path));
  EXPECT_EQ(testing::read_file(path), *serialize_result_doc(doc));
  const auto read_back = read_result_doc(path);
  ASSERT_TRUE(read_back) << read_back.error().message();
  EXPECT_EQ(*read_back, doc);
  EXPECT_EQ(entries_of(dir.path()), std::vector<std::string>{"M-tessan.result.json"});
}

TEST(ResultDocFile, ReplacesAnExistingFileWhole) {
  TempDir dir;
  const fs::path path = dir.write("M-tessan.result.json", std::string(100000, 'x'));
  ASSERT_TRUE(write_result_doc(testing::unrecoverable_document(), path));
  EXPECT_EQ(testing::read_file(path), *serialize_result_doc(testing::unrecoverable_document()));
  EXPECT_EQ(entries_of(dir.path()), std::vector<std::string>{"M-tessan.result.json"});
}

TEST(ResultDocFile, NewFileGetsTheUsualModeUnderTheCreationMask) {
  TempDir dir;
  const fs::path path = dir.path() / "M-tessan.result.json";
  const mode_t previous = ::umask(022);
  const bool written = static_cast<bool>(write_result_doc(testing::unrecoverable_document(), path));
  ::umask(previous);
  ASSERT_TRUE(written);
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST(ResultDocFile, FileSystemFailuresNameThePathAndLeaveNothingBehind) {
  TempDir dir;
  const fs::path in_missing_dir = dir.path() / "absent" / "M-tessan.result.json";
  const auto missing = write_result_doc(testing::unrecoverable_document(), in_missing_dir);
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.error().message(), "writing " + in_missing_dir.string());
  ASSERT_NE(missing.error().cause(), nullptr);
  EXPECT_EQ(missing.error().cause()->message(), "No such file or directory");

  const fs::path occupied = dir.path() / "M-tessan.result.json";
  fs::create_directory(occupied);
  const auto onto_directory = write_result_doc(testing::unrecoverable_document(), occupied);
  ASSERT_FALSE(onto_directory);
  EXPECT_EQ(onto_directory.error().message(), "writing " + occupied.string());
  EXPECT_EQ(entries_of(dir.path()), std::vector<std::string>{"M-tessan.result.json"});
}

TEST(ResultDocFile, UnserialisableDocumentWritesNothing) {
  TempDir dir;
  ResultDoc doc = testing::unrecoverable_document();
  doc.hints = {SourceParseFailed{"kicad", "\xff.kicad_sym", "e"}};
  const auto written = write_result_doc(doc, dir.path() / "M-tessan.result.json");
  ASSERT_FALSE(written);
  EXPECT_NE(written.error().message().find("invalid UTF-8 byte"), std::string::npos);
  EXPECT_TRUE(entries_of(dir.path()).empty());
}

TEST(ResultDocFile, ReadingReportsMissingAndInvalidFiles) {
  TempDir dir;
  const auto missing = read_result_doc(dir.path() / "none.json");
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.error().message(), "reading " + (dir.path() / "none.json").string());

  ASSERT_EQ(::mkfifo((dir.path() / "fifo.json").c_str(), 0600), 0);
  const auto fifo = read_result_doc(dir.path() / "fifo.json");
  ASSERT_FALSE(fifo);
  ASSERT_NE(fifo.error().cause(), nullptr);
  EXPECT_EQ(fifo.error().cause()->message(), "not a regular file");

  const auto truncated = read_result_doc(dir.write("t.json", R"({"schema_version": "1",)"));
  ASSERT_FALSE(truncated);
  EXPECT_NE(truncated.error().message().find("parse error"), std::string::npos);
}

}  // namespace
}  // namespace tessan
