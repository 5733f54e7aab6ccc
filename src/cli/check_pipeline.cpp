#include "cli/check_pipeline.hpp"

#include "cli/console.hpp"
#include "cli/source_assessment.hpp"
#include "result_doc_json.hpp"

namespace tessan {

namespace {

// A cached document answers the run when it reads back and no source is newer than it.
std::optional<int> cached_answer(const std::filesystem::path& result_path,
                                 const DiscoveredPaths& paths) {
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::symlink_status(result_path, ec))) {
    return std::nullopt;
  }
  auto doc = read_result_doc(result_path);
  if (!doc || any_source_newer_than(paths.all(), result_path)) return std::nullopt;
  print_ok(doc->mpn + " \u2014 cached tessan result at " + result_path.string() +
           " (use --force to re-run)");
  return doc->exit_code;
}

int finish(const Assessment& assessment, const std::filesystem::path& result_path) {
  const ResultDoc& doc = assessment.document;
  if (!assessment.comparison) {
    print_error(doc.summary);
    (void)write_result_doc(doc, result_path);
    return doc.exit_code;
  }
  if (assessment.summary_is_ok) {
    print_ok(doc.summary);
  } else {
    print_warn(doc.summary);
  }
  if (auto written = write_result_doc(doc, result_path); !written) {
    print_error("writing tessan.result.json: " + written.error().message());
  }
  return doc.exit_code;
}

}  // namespace

int run_check(const Check& check) {
  set_quiet_mode(check.json_only);
  const TargetResolution resolution = resolve_target(check);
  if (!resolution.target) {
    print_error(resolution.error);
    return resolution.usage_error ? 2 : 3;
  }
  const auto& [chip_dir, mpn] = *resolution.target;
  const auto out_dir = check.out_dir ? *check.out_dir : chip_dir;
  const auto result_path = out_dir / (mpn + "-tessan.result.json");
  const DiscoveredPaths paths = discover_sources(check, chip_dir, mpn);

  if (!check.force) {
    if (const auto cached = cached_answer(result_path, paths)) return *cached;
  }

  print_info("tessan check " + mpn + ": discovered sources \u2192");
  return finish(assess_sources(mpn, paths), result_path);
}

}  // namespace tessan
