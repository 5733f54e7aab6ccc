#include "cli/check_pipeline.hpp"

#include "cli/console.hpp"
#include "cli/result_cache.hpp"
#include "cli/source_assessment.hpp"
#include "result_doc_json.hpp"

namespace tessan {

namespace {

// The exit status of a command that failed, here a result document that could not be written.
constexpr int kWriteFailed = 1;

std::optional<int> cached_answer(const std::filesystem::path& result_path,
                                 const DiscoveredPaths& paths) {
  const auto doc = trusted_cached_document(result_path, paths);
  if (!doc) return std::nullopt;
  print_ok(doc->mpn + " \u2014 cached tessan result at " + result_path.string() +
           " (use --force to re-run)");
  return doc->exit_code;
}

// Writes the document; a failed write is the run's failure, whatever the status.
int write_document(const ResultDoc& doc, const std::filesystem::path& result_path) {
  if (auto written = write_result_doc(doc, result_path); !written) {
    print_error("writing tessan.result.json: " + written.error().message());
    return kWriteFailed;
  }
  return doc.exit_code;
}

int finish(const Assessment& assessment, const std::filesystem::path& result_path) {
  const ResultDoc& doc = assessment.document;
  if (!assessment.comparison) {
    print_error(doc.summary);
  } else if (assessment.summary_is_ok) {
    print_ok(doc.summary);
  } else {
    print_warn(doc.summary);
  }
  return write_document(doc, result_path);
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
  if (check.out_dir) {
    // A missing output directory is made with its parents; should that fail, writing the
    // document reports why.
    std::error_code ignored;
    std::filesystem::create_directories(out_dir, ignored);
  }
  const auto result_path = out_dir / (mpn + "-tessan.result.json");
  const DiscoveredPaths paths = discover_sources(check, chip_dir, mpn);

  if (!check.force) {
    if (const auto cached = cached_answer(result_path, paths)) return *cached;
  }

  print_info("tessan check " + mpn + ": discovered sources \u2192");
  return finish(assess_sources(mpn, paths), result_path);
}

}  // namespace tessan
