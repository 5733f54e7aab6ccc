// Helpers shared by the tests.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tessan::testing {

// A fresh directory that is removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  // Writes `content` to path()/relative (creating parent directories) and returns the full path.
  std::filesystem::path write(const std::filesystem::path& relative, std::string_view content) const;

 private:
  std::filesystem::path path_;
};

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, std::string_view content);

// The corpus of real library files, or nothing when it is not on this machine.
std::optional<std::filesystem::path> corpus_dir();

// Result of running the built `tessan` binary.
struct ProcessResult {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// Runs the built tool with `args` (stdin from /dev/null, stdout and stderr captured).
// `env` entries of the form NAME=VALUE are added; an entry "NAME" alone removes NAME.
ProcessResult run_tessan(const std::vector<std::string>& args,
                         const std::vector<std::string>& env = {},
                         const std::optional<std::filesystem::path>& cwd = std::nullopt);

std::filesystem::path tessan_binary();

}  // namespace tessan::testing

// Skips the current test when the corpus is absent; otherwise declares `corpus` for it.
#define TESSAN_REQUIRE_CORPUS(corpus)                                        \
  const auto corpus##_opt = ::tessan::testing::corpus_dir();                 \
  if (!corpus##_opt) GTEST_SKIP() << "corpus of real libraries not present"; \
  const std::filesystem::path corpus = *corpus##_opt
