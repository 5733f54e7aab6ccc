// Two `check` runs on one chip directory at the same time: each exits with the status's code,
// and exactly one complete, valid result document remains, the same one a single run writes.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <set>
#include <string>
#include <thread>

#include "result_doc_json.hpp"
#include "support/test_support.hpp"

namespace tessan {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

constexpr int kRounds = 12;

// A copy of an example chip directory, without any result document written into it.
fs::path copy_example(const TempDir& dir, const std::string& mpn) {
  const fs::path source = fs::path(TESSAN_SOURCE_DIR) / "examples" / mpn;
  const fs::path chip = dir.path() / mpn;
  fs::create_directory(chip);
  for (const auto& entry : fs::directory_iterator(source)) {
    if (entry.path().filename().string().ends_with("-tessan.result.json")) continue;
    fs::copy_file(entry.path(), chip / entry.path().filename());
  }
  return chip;
}

std::set<std::string> names_in(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename());
  return names;
}

// Starts both runs together and waits for both.
std::array<testing::ProcessResult, 2> run_together(
    const std::array<std::vector<std::string>, 2>& args) {
  std::array<testing::ProcessResult, 2> runs;
  std::thread other([&] { runs[1] = testing::run_tessan(args[1]); });
  runs[0] = testing::run_tessan(args[0]);
  other.join();
  return runs;
}

struct Reference {
  int exit_code = -1;
  std::string document;
  std::set<std::string> names;  // the directory's entries after the run
};

Reference single_run(const fs::path& chip, const fs::path& result) {
  Reference reference;
  reference.exit_code = testing::run_tessan({"check", "--force", chip.string()}).exit_code;
  reference.document = testing::read_file(result);
  reference.names = names_in(chip);
  return reference;
}

class ConcurrentCheck : public ::testing::TestWithParam<std::string> {};

TEST_P(ConcurrentCheck, TwoRunsLeaveOneCompleteDocument) {
  const TempDir dir;
  const std::string mpn = GetParam();
  const fs::path chip = copy_example(dir, mpn);
  const fs::path result = chip / (mpn + "-tessan.result.json");
  const Reference reference = single_run(chip, result);
  ASSERT_TRUE(reference.exit_code == 0 || reference.exit_code == 2) << reference.exit_code;
  ASSERT_TRUE(parse_result_doc(reference.document).ok());

  const std::vector<std::string> forced = {"check", "--force", chip.string()};
  const std::vector<std::string> cached = {"check", chip.string()};
  for (int round = 0; round < kRounds; ++round) {
    fs::remove(result);
    // Half the rounds race two full runs; the others race a full run against one that may
    // answer from the document the first is writing.
    const auto runs = run_together({forced, round % 2 == 0 ? forced : cached});
    for (const auto& run : runs) {
      EXPECT_EQ(run.exit_code, reference.exit_code) << "round " << round;
      EXPECT_EQ(run.err.find("ERROR:"), std::string::npos) << "round " << round << ": " << run.err;
    }
    EXPECT_EQ(names_in(chip), reference.names) << "round " << round << ": no stray files";
    EXPECT_EQ(testing::read_file(result), reference.document) << "round " << round;
  }
}

INSTANTIATE_TEST_SUITE_P(Examples, ConcurrentCheck,
                         ::testing::Values("DRV8837DSGR", "LM358DR", "LMV321IDBVR"));

}  // namespace
}  // namespace tessan
