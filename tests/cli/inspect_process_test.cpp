#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "result_doc_json.hpp"
#include "support/test_support.hpp"

namespace tessan {
namespace {

namespace fs = std::filesystem;
using testing::run_tessan;
using testing::TempDir;

ResultDoc golden_document(const std::string& mpn) {
  ResultDoc doc;
  doc.status = Status::Golden;
  doc.exit_code = 0;
  doc.mpn = mpn;
  doc.summary = mpn + " \u2014 GOLDEN.";
  doc.sources_compared = {"quarn", "kicad", "eagle", "altium"};
  for (const char* axis : {"pad_count", "pad_numbers", "symbol_pin_count", "pin_names",
                           "pin_to_pad_map", "package_family", "body_dims"}) {
    doc.axes.push_back(AxisOutcome{axis, Verdict::Agree, {{"kicad", "x"}}, {}, 3});
  }
  return doc;
}

ResultDoc divergent_document(const std::string& mpn) {
  ResultDoc doc = golden_document(mpn);
  doc.status = Status::Divergent;
  doc.exit_code = 2;
  doc.sources_compared = {"quarn", "kicad"};
  doc.sources_missing = {"eagle", "altium"};
  doc.axes[5] = AxisOutcome{"package_family",
                            Verdict::Disagree,
                            {},
                            {"Package families disagree across sources: quarn=VSSOP, kicad=SOIC"},
                            3};
  doc.axes[6].verdict = Verdict::SourceMissing;
  doc.hints = {SourceParseFailed{"eagle", "/c/M.lbr", "reading /c/M.lbr"},
               RerunQuarnWithStrongerModel{"r", "package_family", "claude-opus-4-7"}};
  return doc;
}

fs::path write_document(const fs::path& dir, const std::string& name, const ResultDoc& doc) {
  fs::create_directories(dir);
  const fs::path path = dir / (name + "-tessan.result.json");
  testing::write_file(path, *serialize_result_doc(doc));
  return path;
}

TEST(InspectProcess, DivergentDocumentIsSummarisedAndExitsZero) {
  TempDir tmp;
  write_document(tmp.path() / "M", "M", divergent_document("M"));
  const auto run = run_tessan({"inspect", (tmp.path() / "M").string() + "/"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "MPN: M \u2014 status: Divergent, exit_code: 2\n"
            "Sources compared: [\"quarn\", \"kicad\"]\n"
            "Sources missing:  [\"eagle\", \"altium\"]\n"
            "Axes:\n"
            "         pad_count  Agree\n"
            "       pad_numbers  Agree\n"
            "  symbol_pin_count  Agree\n"
            "         pin_names  Agree\n"
            "    pin_to_pad_map  Agree\n"
            "    package_family  Disagree\n"
            "    ! Package families disagree across sources: quarn=VSSOP, kicad=SOIC\n"
            "         body_dims  SourceMissing\n"
            "Hints:\n"
            "  - {\"action\":\"source_parse_failed\",\"format\":\"eagle\",\"path\":\"/c/M.lbr\","
            "\"error\":\"reading /c/M.lbr\"}\n"
            "  - {\"action\":\"rerun_quarn_with_stronger_model\",\"reason\":\"r\","
            "\"suspect_field\":\"package_family\",\"suggested_model\":\"claude-opus-4-7\"}\n");
}

TEST(InspectProcess, MissingDocumentGivesErrorAndHint) {
  TempDir tmp;
  const fs::path chip = tmp.path() / "M";
  fs::create_directory(chip);
  const std::string typed = chip.string() + "/";
  const auto run = run_tessan({"inspect", typed});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "ERROR: no tessan result at " + typed + "M-tessan.result.json\n" +
                         "Hint: run `tessan check " + typed + "` first\n");
}

TEST(InspectProcess, DirectoriesWithoutAUsableNameLookForQuestionMark) {
  TempDir tmp;
  const fs::path sub = tmp.path() / "sub";
  fs::create_directories(sub);
  write_document(tmp.path(), "?", golden_document("Q"));
  struct Row {
    std::string chip_dir;
    fs::path cwd;
  };
  const Row rows[] = {{".", tmp.path()}, {"..", sub}, {"./", tmp.path()}, {"sub/..", tmp.path()}};
  for (const auto& row : rows) {
    const auto run = run_tessan({"inspect", row.chip_dir}, {}, row.cwd);
    EXPECT_EQ(run.exit_code, 0) << row.chip_dir << ": " << run.err;
    EXPECT_EQ(run.out.rfind("MPN: Q \u2014", 0), 0u) << row.chip_dir;
  }
  const auto root = run_tessan({"inspect", "/"});
  EXPECT_EQ(root.exit_code, 1);
  EXPECT_EQ(root.err.substr(0, root.err.find('\n')),
            "ERROR: no tessan result at /?-tessan.result.json");
}

TEST(InspectProcess, NameThatIsNotUtf8BecomesQuestionMark) {
  TempDir tmp;
  const fs::path chip = tmp.path() / "bad\xff";
  write_document(chip, "?", golden_document("B"));
  const auto run = run_tessan({"inspect", chip.string()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out.rfind("MPN: B \u2014", 0), 0u);
}

TEST(InspectProcess, BrokenDocumentsGiveOneErrorLine) {
  const std::string valid = *serialize_result_doc(golden_document("M"));
  std::string missing_key = valid;
  missing_key.erase(missing_key.find("  \"mpn\": \"M\",\n"), 14);
  std::string wrong_type = valid;
  wrong_type.replace(wrong_type.find("\"exit_code\": 0"), 14, "\"exit_code\": \"0\"");
  struct Row {
    std::string_view name;
    std::string text;
    std::string_view message;
  };
  const Row rows[] = {
      {"empty", "", "parse error"},
      {"truncated", valid.substr(0, valid.size() / 2), "parse error"},
      {"not JSON", "MPN: M", "parse error"},
      {"wrong type", wrong_type, "invalid type at /exit_code"},
      {"missing key", missing_key, "missing field `mpn`"},
      {"not UTF-8", "{\"mpn\": \"\xff\"}", "ill-formed UTF-8"},
  };
  for (const auto& row : rows) {
    TempDir tmp;
    tmp.write("M/M-tessan.result.json", row.text);
    const auto run = run_tessan({"inspect", (tmp.path() / "M").string()});
    EXPECT_EQ(run.exit_code, 1) << row.name;
    EXPECT_EQ(run.out, "") << row.name;
    EXPECT_EQ(run.err.rfind("ERROR: ", 0), 0u) << row.name << ": " << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << row.name << ": " << run.err;
    EXPECT_NE(run.err.find(row.message), std::string::npos) << row.name << ": " << run.err;
    const std::string path = (tmp.path() / "M" / "M-tessan.result.json").string();
    EXPECT_EQ(run.err.rfind("ERROR: " + path + ": ", 0), 0u) << row.name << ": " << run.err;
  }
}

// One line naming the document and the system's reason.
TEST(InspectProcess, UnreadableDocumentGivesItsPathAndTheSystemReason) {
  TempDir tmp;
  fs::create_directories(tmp.path() / "M" / "M-tessan.result.json");
  tmp.write("F/keep", "");
  ASSERT_EQ(::mkfifo((tmp.path() / "F" / "F-tessan.result.json").c_str(), 0600), 0);
  tmp.write("Z/keep", "");
  fs::create_symlink("/dev/zero", tmp.path() / "Z" / "Z-tessan.result.json");
  tmp.write("R", "a regular file where the chip directory should be");
  struct Row {
    std::string chip;
    std::string reason;  // special files could block or never end; they are refused
  };
  const Row rows[] = {
      {"M", "Is a directory"},
      {"F", "not a regular file"},
      {"Z", "not a regular file"},
  };
  for (const auto& row : rows) {
    const auto chip = tmp.path() / row.chip;
    const auto run = run_tessan({"inspect", chip.string()});
    EXPECT_EQ(run.exit_code, 1) << row.chip;
    EXPECT_EQ(run.err, "ERROR: " + (chip / (row.chip + "-tessan.result.json")).string() + ": " +
                           row.reason + "\n");
  }

  const auto file = run_tessan({"inspect", (tmp.path() / "R").string()});
  EXPECT_EQ(file.exit_code, 1);
  EXPECT_EQ(file.err, "ERROR: chip dir: " + (tmp.path() / "R").string() + ": Not a directory\n");

  // A link to nothing is there but cannot be read: its read error, without the hint to run
  // check first.
  tmp.write("D/keep", "");
  fs::create_symlink("nowhere", tmp.path() / "D" / "D-tessan.result.json");
  const auto dangling = run_tessan({"inspect", (tmp.path() / "D").string()});
  EXPECT_EQ(dangling.exit_code, 1);
  EXPECT_EQ(dangling.err.rfind("ERROR: ", 0), 0u) << dangling.err;
  EXPECT_NE(dangling.err.find("No such file or directory\n"), std::string::npos) << dangling.err;
  EXPECT_EQ(std::count(dangling.err.begin(), dangling.err.end(), '\n'), 1) << dangling.err;

  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  const fs::path locked = tmp.write("L/L-tessan.result.json", "{}");
  fs::permissions(locked, fs::perms::none);
  const auto unreadable = run_tessan({"inspect", (tmp.path() / "L").string()});
  EXPECT_EQ(unreadable.exit_code, 1);
  EXPECT_EQ(unreadable.err, "ERROR: " + locked.string() + ": Permission denied\n");
}

}  // namespace
}  // namespace tessan
