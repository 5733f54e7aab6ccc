// SKILL.md: `tessan install` writes it byte for byte, it names the schema, and its example
// documents (one per status) are what `check` writes for the chip directories they describe.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "result_doc.hpp"
#include "support/schema_check.hpp"
#include "support/test_support.hpp"

namespace tessan::testing {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const fs::path kSource = TESSAN_SOURCE_DIR;
const fs::path kExamples = kSource / "examples";

std::string skill_markdown() {
  return read_file(kSource / "SKILL.md");
}

// The fenced ```json blocks of a Markdown text that hold whole result documents.
std::vector<std::string> example_documents(const std::string& markdown) {
  std::vector<std::string> documents;
  const std::string open = "```json\n";
  for (auto start = markdown.find(open); start != std::string::npos;
       start = markdown.find(open, start)) {
    start += open.size();
    const auto end = markdown.find("\n```", start);
    if (end == std::string::npos) break;
    std::string block = markdown.substr(start, end - start + 1);
    if (block.find("\"schema_version\"") != std::string::npos) documents.push_back(block);
    start = end;
  }
  return documents;
}

TEST(SkillDocument, InstallWritesTheRepositoryFileByteForByte) {
  const TempDir home;
  const auto run = run_tessan({"install"}, {"HOME=" + home.path().string()});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(read_file(home.path() / ".claude/skills/brel-tessan/SKILL.md"), skill_markdown());
}

TEST(SkillDocument, NamesTheSchemaInTheSourceTreeAndWhereItIsInstalled) {
  const std::string markdown = skill_markdown();
  EXPECT_NE(markdown.find("`schema/result.schema.json`"), std::string::npos);
  EXPECT_NE(markdown.find("`<prefix>/share/tessan/result.schema.json`"), std::string::npos);
}

TEST(SkillDocument, HasOneValidExampleDocumentPerStatus) {
  std::multiset<std::string> statuses;
  for (const auto& text : example_documents(skill_markdown())) {
    expect_valid_result_doc(text, "SKILL.md example");
    const auto document = json::parse(text, nullptr, false);
    if (document.is_object()) statuses.insert(document.value("status", ""));
  }
  EXPECT_EQ(statuses, (std::multiset<std::string>{"divergent", "golden", "golden_with_variants",
                                                  "unrecoverable"}));
}

// ---- The chip directories the examples come from ----

void copy_over(const fs::path& from, const fs::path& to) {
  fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

// The LMV321IDBVR example with the KiCad footprint of a WSON-8 package.
void wrong_kicad_footprint(const fs::path& chip) {
  const fs::path example = kExamples / "LMV321IDBVR";
  for (const char* suffix :
       {"-symbol.extracted.json", "-footprint.extracted.json", ".kicad_sym", ".lbr"}) {
    copy_over(example / ("LMV321IDBVR" + std::string(suffix)),
              chip / ("LMV321IDBVR" + std::string(suffix)));
  }
  copy_over(kExamples / "DRV8837DSGR" / "DRV8837DSGR.kicad_mod", chip / "LMV321IDBVR.kicad_mod");
}

// The LM358DR KiCad pair and the first 1500 bytes of its EAGLE library, without quarn's files.
void one_readable_source(const fs::path& chip) {
  const fs::path example = kExamples / "LM358DR";
  copy_over(example / "LM358DR.kicad_sym", chip / "LM358DR.kicad_sym");
  copy_over(example / "LM358DR.kicad_mod", chip / "LM358DR.kicad_mod");
  write_file(chip / "LM358DR.lbr", read_file(example / "LM358DR.lbr").substr(0, 1500));
}

// Where the example documents were written: the chip directories of the last two sat here.
constexpr std::string_view kDocumentedRoot = "/tmp/chips";

std::string replaced(std::string text, const std::string& from, std::string_view to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The document `check` writes for the chip directory behind each status's example.
json fresh_document(const std::string& status) {
  const TempDir root;
  const TempDir out;
  fs::path chip;
  if (status == "golden") {
    chip = kExamples / "LMV321IDBVR";
  } else if (status == "golden_with_variants") {
    chip = kExamples / "DRV8837DSGR";
  } else {
    const std::map<std::string, std::pair<std::string, std::function<void(const fs::path&)>>>
        built = {{"divergent", {"LMV321IDBVR", wrong_kicad_footprint}},
                 {"unrecoverable", {"LM358DR", one_readable_source}}};
    const auto& [mpn, fill] = built.at(status);
    chip = fs::canonical(root.path()) / mpn;
    fs::create_directories(chip);
    fill(chip);
  }
  run_tessan({"check", "--force", "--out-dir", out.path().string(), chip.string()});
  const std::string text =
      read_file(out.path() / (chip.filename().string() + "-tessan.result.json"));
  return json::parse(replaced(text, fs::canonical(root.path()).string(), kDocumentedRoot));
}

TEST(SkillDocument, ExampleDocumentsAreWhatCheckWritesForTheirChipDirectories) {
  for (const auto& text : example_documents(skill_markdown())) {
    const json documented = json::parse(text);
    const std::string status = documented.at("status");
    EXPECT_EQ(fresh_document(status), documented) << "the " << status << " example is stale";
  }
}

}  // namespace
}  // namespace tessan::testing
