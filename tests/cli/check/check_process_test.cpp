// Runs the built tool on chip directories made in the test and checks its lines, exit codes
// and result documents.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <nlohmann/json.hpp>

#include "cli/check/chip_builder.hpp"
#include "result_doc_json.hpp"
#include "support/schema_check.hpp"

namespace tessan::testing {
namespace {

const std::vector<std::string> kEightPads = numbered(1, 8);

// quarn, KiCad and EAGLE agreeing on an SOIC-8 dual op-amp.
ChipDir golden_chip(const TempDir& root) {
  ChipDir chip(root, "LM358DR");
  chip.quarn(lm358_pins(), kEightPads, "SOIC-8")
      .kicad(lm358_pins(), kEightPads, "SOIC-8_3.9x4.9mm_P1.27mm")
      .eagle(lm358_pins(), kEightPads, "SOIC8");
  return chip;
}

std::vector<PinSpec> with_swapped_supplies() {
  auto pins = lm358_pins();
  std::swap(pins[3].name, pins[7].name);
  return pins;
}

ChipDir divergent_chip(const TempDir& root) {
  ChipDir chip(root, "LM358DR");
  chip.quarn(lm358_pins(), kEightPads, "SOIC-8")
      .kicad(with_swapped_supplies(), kEightPads, "SOIC-8_3.9x4.9mm_P1.27mm")
      .eagle(lm358_pins(), kEightPads, "SOIC8");
  return chip;
}

nlohmann::json result_json(const ChipDir& chip) {
  expect_valid_result_file(chip.result_path());
  return nlohmann::json::parse(read_file(chip.result_path()));
}

void set_mtime(const std::filesystem::path& path, std::time_t seconds) {
  const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

TEST(CheckProcess, GoldenChipPrintsProgressAndSummaryAndWritesTheDocument) {
  TempDir root;
  const auto chip = golden_chip(root);
  const auto run = run_tessan({"check", chip.path().string()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out,
            "tessan check LM358DR: discovered sources \u2192\n"
            "  quarn       \u2014 8 pins, 8 pads, package SOIC-8\n"
            "  kicad       \u2014 8 pins, 8 pads, footprint SOIC-8_3.9x4.9mm_P1.27mm\n"
            "  eagle (.lbr) \u2014 8 pins, 8 pads, package SOIC8\n"
            "OK: LM358DR \u2014 GOLDEN. Sources: [quarn,kicad,eagle] (missing: altium). Axes: 6 "
            "agree, 0 disagree, 1 source-missing.\n");
  EXPECT_EQ(run.err, "");
  expect_valid_result_file(chip.result_path());
  EXPECT_EQ(read_file(chip.result_path()), R"doc({
  "schema_version": "1",
  "status": "golden",
  "exit_code": 0,
  "mpn": "LM358DR",
  "summary": "LM358DR — GOLDEN. Sources: [quarn,kicad,eagle] (missing: altium). Axes: 6 agree, 0 disagree, 1 source-missing.",
  "sources_compared": [
    "quarn",
    "kicad",
    "eagle"
  ],
  "sources_missing": [
    "altium"
  ],
  "axes": [
    {
      "axis": "pad_count",
      "verdict": "agree",
      "values": {
        "eagle": "8",
        "kicad": "8",
        "quarn": "8"
      },
      "conflicts": [],
      "severity": 3
    },
    {
      "axis": "pad_numbers",
      "verdict": "agree",
      "values": {
        "eagle": "8 pads (1…8)",
        "kicad": "8 pads (1…8)",
        "quarn": "8 pads (1…8)"
      },
      "conflicts": [],
      "severity": 3
    },
    {
      "axis": "symbol_pin_count",
      "verdict": "agree",
      "values": {
        "eagle": "8",
        "kicad": "8",
        "quarn": "8"
      },
      "conflicts": [],
      "severity": 3
    },
    {
      "axis": "pin_names",
      "verdict": "agree",
      "values": {
        "eagle": "8 named pins",
        "kicad": "8 named pins",
        "quarn": "8 named pins"
      },
      "conflicts": [],
      "severity": 3
    },
    {
      "axis": "pin_to_pad_map",
      "verdict": "agree",
      "values": {
        "eagle": "8 mappings",
        "kicad": "8 mappings",
        "quarn": "8 mappings"
      },
      "conflicts": [],
      "severity": 3
    },
    {
      "axis": "package_family",
      "verdict": "agree",
      "values": {
        "eagle": "SOIC8 → family=SOIC",
        "kicad": "SOIC-8_3.9x4.9mm_P1.27mm → family=SOIC",
        "quarn": "SOIC-8 → family=SOIC"
      },
      "conflicts": [],
      "severity": 3
    },
    {
      "axis": "body_dims",
      "verdict": "source_missing",
      "values": {
        "eagle": "8.89×0.00 mm"
      },
      "conflicts": [],
      "severity": 1
    }
  ],
  "variants": [],
  "hints": [],
  "extractor_version": "0.8.0"
}
)doc");
}

TEST(CheckProcess, DivergentChipWarnsHintsAndExitsTwo) {
  TempDir root;
  const auto chip = divergent_chip(root);
  const auto run = run_tessan({"check", chip.path().string()});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(run.err.find("WARN: LM358DR \u2014 DIVERGENT."), std::string::npos) << run.err;
  const auto doc = result_json(chip);
  EXPECT_EQ(doc["status"], "divergent");
  EXPECT_EQ(doc["exit_code"], 2);
  // KiCad alone disagrees (EAGLE agrees with quarn): the KiCad symbol is refetched, quarn is
  // not blamed.
  ASSERT_FALSE(doc["hints"].empty());
  for (const auto& hint : doc["hints"]) {
    EXPECT_EQ(hint["action"], "refetch_library_source");
    EXPECT_EQ(hint["format"], "kicad_sym");
  }
}

TEST(CheckProcess, QuarnDisagreeingWithEveryLibraryIsAskedToRerun) {
  TempDir root;
  ChipDir chip(root, "LM358DR");
  chip.quarn(with_swapped_supplies(), kEightPads, "SOIC-8")
      .kicad(lm358_pins(), kEightPads, "SOIC-8_3.9x4.9mm_P1.27mm")
      .eagle(lm358_pins(), kEightPads, "SOIC8");
  EXPECT_EQ(run_tessan({"check", chip.path().string()}).exit_code, 2);
  const auto doc = result_json(chip);
  ASSERT_FALSE(doc["hints"].empty());
  for (const auto& hint : doc["hints"]) {
    EXPECT_EQ(hint["action"], "rerun_quarn_with_stronger_model");
    EXPECT_EQ(hint["suggested_model"], "claude-opus-4-7");
  }
}

TEST(CheckProcess, JsonOnlyOnADivergentChipPrintsNothing) {
  TempDir root;
  const auto chip = divergent_chip(root);
  const auto run = run_tessan({"check", "--json-only", chip.path().string()});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(std::filesystem::exists(chip.result_path()));
  expect_valid_result_file(chip.result_path());
}

TEST(CheckProcess, PipedOutputHasNoEscapeSequences) {
  TempDir root;
  const auto chip = divergent_chip(root);
  const auto run = run_tessan({"check", chip.path().string()});
  EXPECT_EQ(run.out.find('\x1b'), std::string::npos);
  EXPECT_EQ(run.err.find('\x1b'), std::string::npos);
  expect_valid_result_file(chip.result_path());
}

TEST(CheckProcess, ExposedPadCountedByOneLibraryIsAVariant) {
  TempDir root;
  ChipDir chip(root, "TPS7A2033");
  auto pins = lm358_pins();
  pins.push_back({"9", "EP"});
  chip.quarn(pins, numbered(1, 9), "SOIC-8")
      .kicad(pins, numbered(1, 9), "SOIC-8-1EP_3.9x4.9mm_P1.27mm")
      .eagle(lm358_pins(), kEightPads, "SOIC8");
  const auto run = run_tessan({"check", chip.path().string()});
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
  const auto doc = result_json(chip);
  EXPECT_EQ(doc["status"], "golden_with_variants");
  ASSERT_FALSE(doc["variants"].empty());
  EXPECT_EQ(doc["variants"][0]["kind"], "exposed_pad_variant");
  EXPECT_NE(doc["summary"].get<std::string>().find("GOLDEN with variants [variants: ep"),
            std::string::npos);
}

TEST(CheckProcess, OneReadableSourceIsUnrecoverable) {
  TempDir root;
  ChipDir chip(root, "LM358DR");
  write_file(chip.file("-footprint.extracted.json"), quarn_footprint_json(kEightPads, "SOIC-8"));
  write_file(chip.file(".kicad_sym"), kicad_symbol_text("LM358DR", lm358_pins()));
  write_file(chip.file(".kicad_mod"), kicad_footprint_text("SOIC-8", kEightPads));
  const auto run = run_tessan({"check", chip.path().string()});
  EXPECT_EQ(run.exit_code, 3);
  EXPECT_EQ(run.err,
            "ERROR: LM358DR \u2014 only 1 source(s) parseable; cross-source comparison needs "
            "\u22652\n");
  const auto doc = result_json(chip);
  EXPECT_EQ(doc["status"], "unrecoverable");
  EXPECT_EQ(doc["exit_code"], 3);
  EXPECT_TRUE(doc["axes"].empty());
  EXPECT_TRUE(doc["variants"].empty());
  EXPECT_EQ(doc["sources_compared"], nlohmann::json::array({"kicad"}));
  EXPECT_EQ(doc["sources_missing"], nlohmann::json::array({"quarn", "eagle", "altium"}));
  EXPECT_EQ(doc.size(), 11u);
}

TEST(CheckProcess, TwoSourcesWithNothingComparableAreUnrecoverableAsAWarning) {
  TempDir root;
  ChipDir chip(root, "X1");
  write_file(chip.file("-symbol.extracted.json"), quarn_symbol_json(lm358_pins()));
  // A footprint without a name: pads only, so no axis has two sources.
  write_file(chip.file(".kicad_mod"), "(footprint (pad \"1\" smd rect) (pad \"2\" smd rect))\n");
  const auto run = run_tessan({"check", chip.path().string()});
  EXPECT_EQ(run.exit_code, 3) << run.out << run.err;
  EXPECT_NE(run.err.find("WARN: X1 \u2014 UNRECOVERABLE."), std::string::npos) << run.err;
  expect_valid_result_file(chip.result_path());
}

TEST(CheckProcess, AFailedReaderBecomesAParseFailedHintWithTheOutermostMessage) {
  TempDir root;
  auto chip = golden_chip(root);
  write_file(chip.file(".lbr"), "<eagle><unclosed>");
  const auto run = run_tessan({"check", chip.path().string()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  const auto doc = result_json(chip);
  ASSERT_FALSE(doc["hints"].empty());
  const auto& hint = doc["hints"][0];
  EXPECT_EQ(hint["action"], "source_parse_failed");
  EXPECT_EQ(hint["format"], "eagle");
  EXPECT_EQ(hint["path"], chip.file(".lbr").string());
  EXPECT_EQ(hint["error"], "parsing EAGLE XML");
  EXPECT_EQ(doc["sources_missing"], nlohmann::json::array({"eagle", "altium"}));
}

TEST(CheckProcess, CachedResultAnswersUntilASourceChanges) {
  TempDir root;
  const auto chip = divergent_chip(root);
  ASSERT_EQ(run_tessan({"check", chip.path().string()}).exit_code, 2);

  const auto cached = run_tessan({"check", chip.path().string()});
  EXPECT_EQ(cached.exit_code, 2);
  EXPECT_EQ(cached.out, "OK: LM358DR \u2014 cached tessan result at " +
                            chip.result_path().string() + " (use --force to re-run)\n");
  EXPECT_EQ(cached.err, "");

  const auto forced = run_tessan({"check", "--force", chip.path().string()});
  EXPECT_EQ(forced.exit_code, 2);
  EXPECT_NE(forced.out.find("discovered sources"), std::string::npos);
  expect_valid_result_file(chip.result_path());

  // A refetched library makes the stored verdict stale.
  write_file(chip.file(".kicad_sym"), kicad_symbol_text("LM358DR", lm358_pins()));
  set_mtime(chip.file(".kicad_sym"), 1'700'000'001);
  const auto rerun = run_tessan({"check", chip.path().string()});
  EXPECT_EQ(rerun.exit_code, 0) << rerun.out << rerun.err;
  EXPECT_EQ(result_json(chip)["status"], "golden");
}

TEST(CheckProcess, UnreadableCacheIsReplacedByAFullRun) {
  TempDir root;
  const auto chip = golden_chip(root);
  write_file(chip.result_path(), "{\"schema_version\": \"1\", \"status\": ");
  const auto run = run_tessan({"check", chip.path().string()});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_NE(run.out.find("discovered sources"), std::string::npos);
  EXPECT_EQ(result_json(chip)["status"], "golden");
}

TEST(CheckProcess, OutDirThatDoesNotExistIsMadeWithItsParents) {
  TempDir root;
  const auto chip = divergent_chip(root);
  const auto missing = root.path() / "no" / "such";
  const auto run = run_tessan({"check", "--out-dir", missing.string(), chip.path().string()});
  EXPECT_EQ(run.exit_code, 2) << run.err;
  expect_valid_result_file(missing / "LM358DR-tessan.result.json");
}

TEST(CheckProcess, ADocumentThatCannotBeWrittenFailsTheRunWhateverItsStatus) {
  TempDir root;
  const auto blocker = root.write("blocker", "a file where a directory should be");
  const auto out_dir = blocker / "out";
  struct Row {
    const char* what;
    ChipDir chip;
    const char* summary;
  };
  const Row rows[] = {
      {"divergent", divergent_chip(root), "WARN: LM358DR \u2014 DIVERGENT."},
      {"unrecoverable", ChipDir(root, "LONELY").quarn(lm358_pins(), kEightPads, "SOIC-8"),
       "ERROR: LONELY \u2014 only 1 source(s) parseable"},
  };
  for (const auto& row : rows) {
    const auto run = run_tessan({"check", "--out-dir", out_dir.string(), row.chip.path().string()});
    EXPECT_EQ(run.exit_code, 1) << row.what;
    EXPECT_NE(run.err.find(row.summary), std::string::npos) << row.what << "\n" << run.err;
    EXPECT_NE(run.err.find("ERROR: writing tessan.result.json: writing " +
                           (out_dir / (row.chip.mpn() + "-tessan.result.json")).string() + "\n"),
              std::string::npos)
        << row.what << "\n"
        << run.err;
  }
}

TEST(CheckProcess, OutDirReceivesTheDocumentWhileSourcesStayInTheChipDir) {
  TempDir root;
  const auto chip = golden_chip(root);
  std::filesystem::create_directories(root.path() / "out");
  const auto run =
      run_tessan({"check", "--out-dir", (root.path() / "out").string(), chip.path().string()});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_TRUE(std::filesystem::exists(root.path() / "out" / "LM358DR-tessan.result.json"));
  expect_valid_result_file(root.path() / "out" / "LM358DR-tessan.result.json");
  EXPECT_FALSE(std::filesystem::exists(chip.result_path()));
}

TEST(CheckProcess, UnresolvableChipDirExitsThree) {
  TempDir root;
  const auto run = run_tessan({"check", (root.path() / "absent").string()});
  EXPECT_EQ(run.exit_code, 3);
  EXPECT_EQ(run.err, "ERROR: chip dir: No such file or directory\n");
  EXPECT_EQ(run.out, "");
}

TEST(CheckProcess, ChipDirThatIsARegularFileExitsThreeNamingIt) {
  TempDir root;
  const auto file = root.write("LM358DR", "not a directory");
  const auto run = run_tessan({"check", file.string()});
  EXPECT_EQ(run.exit_code, 3);
  EXPECT_EQ(run.err, "ERROR: chip dir: " + file.string() + ": Not a directory\n");
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.path()), {}), 1);
}

TEST(CheckProcess, UnsafeMpnIsRefusedWritingNothing) {
  TempDir root;
  const auto chip = golden_chip(root);
  for (const char* mpn : {"../escape", "..", ".", "a/b"}) {
    const auto run = run_tessan({"check", "--mpn", mpn, chip.path().string()});
    EXPECT_EQ(run.exit_code, 2) << mpn;
    EXPECT_EQ(run.err.rfind("ERROR: ", 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(root.path() / "escape-tessan.result.json"));
  EXPECT_FALSE(std::filesystem::exists(chip.result_path()));
}

TEST(CheckProcess, TheMpnIsTheChipDirectoryAsTypedAndDotTakesTheResolvedName) {
  TempDir root;
  const auto chip = golden_chip(root);
  const auto vendor = root.path() / "vendor-folder";
  std::filesystem::rename(chip.path(), vendor);
  std::filesystem::create_directory_symlink("vendor-folder", chip.path());
  for (const char* typed : {"LM358DR", "LM358DR/", "LM358DR/.", "./LM358DR//"}) {
    const auto linked = run_tessan({"check", "--force", typed}, {}, root.path());
    EXPECT_EQ(linked.exit_code, 0) << typed << "\n" << linked.err;
    EXPECT_NE(linked.out.find("tessan check LM358DR:"), std::string::npos) << typed;
  }
  expect_valid_result_file(vendor / "LM358DR-tessan.result.json");

  const auto dot = run_tessan({"check", "--force", "."}, {}, vendor);
  EXPECT_NE(dot.out.find("tessan check vendor-folder:"), std::string::npos) << dot.out;
  EXPECT_EQ(dot.exit_code, 3);
}

TEST(CheckProcess, AnEmptyMpnIsAUsageError) {
  TempDir root;
  const auto chip = golden_chip(root);
  const std::string dir = chip.path().string();
  for (const std::vector<std::string>& args : {std::vector<std::string>{"check", dir, "--mpn", ""},
                                               {"check", dir, "--mpn="},
                                               {"check", "--mpn", "", "--force", dir}}) {
    const auto run = run_tessan(args);
    EXPECT_EQ(run.exit_code, 2) << ::testing::PrintToString(args) << "\n" << run.err;
    EXPECT_NE(run.err.find("--mpn"), std::string::npos) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(chip.path() / "-tessan.result.json"));
}

TEST(CheckProcess, MpnOptionRenamesEveryLookedUpFile) {
  TempDir root;
  const auto chip = golden_chip(root);
  const auto run = run_tessan({"check", "--mpn", "OTHER", chip.path().string()});
  EXPECT_EQ(run.exit_code, 3);
  EXPECT_TRUE(std::filesystem::exists(chip.path() / "OTHER-tessan.result.json"));
  expect_valid_result_file(chip.path() / "OTHER-tessan.result.json");
}

TEST(CheckProcess, OverridesAreUsedAsTyped) {
  TempDir root;
  const auto chip = golden_chip(root);
  const auto missing = (root.path() / "nowhere.kicad_sym").string();
  const auto run = run_tessan({"check", "--kicad-sym", missing, chip.path().string()});
  const auto doc = result_json(chip);
  ASSERT_FALSE(doc["hints"].empty());
  EXPECT_EQ(doc["hints"][0]["action"], "source_parse_failed");
  EXPECT_EQ(doc["hints"][0]["format"], "kicad");
  EXPECT_EQ(doc["hints"][0]["path"], missing);
  EXPECT_EQ(doc["hints"][0]["error"], "reading " + missing);
}

TEST(CheckProcess, AltiumOverrideThatDoesNotExistIsAParseFailure) {
  TempDir root;
  const auto chip = golden_chip(root);
  const auto missing = (root.path() / "nowhere.PcbLib").string();
  const auto run = run_tessan({"check", "--altium", missing, chip.path().string()});
  EXPECT_EQ(run.exit_code, 0);
  const auto doc = result_json(chip);
  ASSERT_EQ(doc["hints"].size(), 1u);
  EXPECT_EQ(doc["hints"][0]["format"], "altium");
  EXPECT_EQ(doc["hints"][0]["path"], missing);
  EXPECT_EQ(doc["hints"][0]["error"], "altium-pcblib parsing " + missing);
  EXPECT_EQ(doc["sources_missing"], nlohmann::json::array({"altium"}));
}

TEST(CheckProcess, WrittenDocumentsReadBack) {
  TempDir root;
  const auto chip = divergent_chip(root);
  run_tessan({"check", chip.path().string()});
  const auto doc = read_result_doc(chip.result_path());
  expect_valid_result_file(chip.result_path());
  ASSERT_TRUE(doc.ok()) << doc.error().chain();
  EXPECT_EQ(doc->status, Status::Divergent);
}

}  // namespace
}  // namespace tessan::testing
