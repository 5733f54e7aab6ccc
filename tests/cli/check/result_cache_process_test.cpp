// When a result document written by an earlier run answers `check`, and when it does not.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/check/chip_builder.hpp"
#include "support/schema_check.hpp"

namespace tessan::testing {
namespace {

const std::vector<std::string> kEightPads = numbered(1, 8);

ChipDir quarn_and_kicad(const TempDir& root) {
  ChipDir chip(root, "LM358DR");
  chip.quarn(lm358_pins(), kEightPads, "SOIC-8")
      .kicad(lm358_pins(), kEightPads, "SOIC-8_3.9x4.9mm_P1.27mm");
  return chip;
}

bool answered_from_cache(const ProcessResult& run) {
  return run.out.find("cached tessan result") != std::string::npos &&
         run.out.find("discovered sources") == std::string::npos;
}

nlohmann::json document(const ChipDir& chip) {
  return nlohmann::json::parse(read_file(chip.result_path()));
}

// Gives `path` an old modification time, as unpacking an archive does.
void backdate(const std::filesystem::path& path) {
  const auto old = std::chrono::file_clock::now() - std::chrono::hours(24 * 365 * 5);
  std::filesystem::last_write_time(path, old);
}

TEST(ResultCache, AnswersWhileTheSourcesOnDiskAreThoseItAccountsFor) {
  TempDir root;
  auto chip = quarn_and_kicad(root);
  ASSERT_EQ(run_tessan({"check", chip.path().string()}).exit_code, 0);
  EXPECT_TRUE(answered_from_cache(run_tessan({"check", chip.path().string()})));

  // A library unpacked after the run keeps its archive's old time.
  write_file(chip.file(".lbr"), eagle_library_text("SOIC8", kEightPads, lm358_pins()));
  backdate(chip.file(".lbr"));
  const auto added = run_tessan({"check", chip.path().string()});
  EXPECT_FALSE(answered_from_cache(added)) << added.out;
  EXPECT_EQ(document(chip)["sources_compared"], nlohmann::json({"quarn", "kicad", "eagle"}));
  EXPECT_TRUE(answered_from_cache(run_tessan({"check", chip.path().string()})));

  // A library replaced by one with an old time.
  auto swapped = lm358_pins();
  std::swap(swapped[3].name, swapped[7].name);
  write_file(chip.file(".kicad_sym"), kicad_symbol_text("LM358DR", swapped));
  backdate(chip.file(".kicad_sym"));
  const auto replaced = run_tessan({"check", chip.path().string()});
  EXPECT_EQ(replaced.exit_code, 2) << replaced.out << replaced.err;
  EXPECT_EQ(document(chip)["status"], "divergent");

  // A library removed since the run.
  std::filesystem::remove(chip.file(".lbr"));
  const auto removed = run_tessan({"check", chip.path().string()});
  EXPECT_FALSE(answered_from_cache(removed)) << removed.out;
  EXPECT_EQ(document(chip)["sources_missing"], nlohmann::json({"eagle", "altium"}));
}

TEST(ResultCache, ASourceThatFailedToParseIsAccountedFor) {
  TempDir root;
  auto chip = quarn_and_kicad(root);
  write_file(chip.file(".lbr"), "<eagle");
  ASSERT_EQ(run_tessan({"check", chip.path().string()}).exit_code, 0);
  EXPECT_EQ(document(chip)["hints"][0]["action"], "source_parse_failed");
  EXPECT_TRUE(answered_from_cache(run_tessan({"check", chip.path().string()})));
}

TEST(ResultCache, ADocumentWhoseStatusAndExitCodeDoNotBelongTogetherIsNotTrusted) {
  const std::pair<const char*, nlohmann::json> edits[] = {
      {"/exit_code", 2},        {"/exit_code", 256},      {"/exit_code", -1},
      {"/schema_version", "2"}, {"/status", "divergent"},
  };
  for (const auto& [pointer, value] : edits) {
    TempDir root;
    auto chip = quarn_and_kicad(root);
    ASSERT_EQ(run_tessan({"check", chip.path().string()}).exit_code, 0);
    auto doc = document(chip);
    doc[nlohmann::json::json_pointer(pointer)] = value;
    write_file(chip.result_path(), doc.dump(2));
    const auto run = run_tessan({"check", chip.path().string()});
    EXPECT_EQ(run.exit_code, 0) << pointer;
    EXPECT_FALSE(answered_from_cache(run)) << pointer << "\n" << run.out;
    EXPECT_EQ(run.err, "") << pointer;
    expect_valid_result_file(chip.result_path());
  }
}

}  // namespace
}  // namespace tessan::testing
