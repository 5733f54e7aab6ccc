#include "chip_copy.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "result_doc_json.hpp"
#include "support/schema_check.hpp"

namespace tessan::testing {

std::vector<std::string> CheckOutcome::variant_kinds() const {
  std::vector<std::string> kinds;
  for (const Variant& v : doc.variants) kinds.emplace_back(variant_kind(v));
  return kinds;
}

std::vector<std::string> CheckOutcome::uncovered_axes() const {
  std::vector<std::string> axes;
  for (const AxisOutcome& outcome : doc.axes) {
    if (outcome.verdict != Verdict::Disagree) continue;
    const bool covered =
        std::any_of(doc.variants.begin(), doc.variants.end(), [&](const Variant& v) {
          const auto& names = variant_covered_axes(v);
          return std::find(names.begin(), names.end(), outcome.axis) != names.end();
        });
    if (!covered) axes.push_back(outcome.axis);
  }
  return axes;
}

CheckOutcome run_check_on(const std::filesystem::path& chip_dir,
                          const std::filesystem::path& out_dir) {
  CheckOutcome outcome;
  const ProcessResult run = run_tessan(
      {"check", "--force", "--json-only", "--out-dir", out_dir.string(), chip_dir.string()});
  outcome.exit_code = run.exit_code;
  const std::filesystem::path result =
      out_dir / (chip_dir.filename().string() + "-tessan.result.json");
  expect_valid_result_file(result);
  auto doc = read_result_doc(result);
  EXPECT_TRUE(doc.ok()) << result << ": " << (doc.ok() ? "" : doc.error().message()) << "\n"
                        << run.err;
  if (doc.ok()) outcome.doc = std::move(doc.value());
  return outcome;
}

ChipCopy::ChipCopy(const std::filesystem::path& corpus, std::string mpn)
    : mpn_(std::move(mpn)), dir_(temp_.path() / mpn_) {
  std::filesystem::create_directories(dir_);
  for (const auto& entry : std::filesystem::directory_iterator(corpus / mpn_)) {
    if (entry.is_regular_file()) {
      std::filesystem::copy_file(entry.path(), dir_ / entry.path().filename());
    }
  }
}

std::filesystem::path ChipCopy::file(std::string_view extension) const {
  return dir_ / (mpn_ + std::string(extension));
}

void ChipCopy::edit(std::string_view extension,
                    const std::function<void(std::string&)>& change) const {
  std::string text = read_file(file(extension));
  const std::string before = text;
  change(text);
  EXPECT_NE(text, before) << "the edit of " << extension << " changed nothing";
  write_file(file(extension), text);
}

void ChipCopy::remove(std::string_view extension) const {
  EXPECT_TRUE(std::filesystem::remove(file(extension))) << extension;
}

void ChipCopy::replace_with(std::string_view extension, const std::filesystem::path& other) const {
  std::filesystem::copy_file(other, file(extension),
                             std::filesystem::copy_options::overwrite_existing);
}

CheckOutcome ChipCopy::check() const {
  const std::filesystem::path out = temp_.path() / "out";
  std::filesystem::create_directories(out);
  return run_check_on(dir_, out);
}

}  // namespace tessan::testing
