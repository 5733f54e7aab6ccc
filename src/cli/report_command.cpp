#include "cli/report_command.hpp"

#include <algorithm>
#include <optional>

#include "atomic_file_write.hpp"
#include "cli/console.hpp"
#include "cli/source_assessment.hpp"
#include "report/review_page.hpp"

namespace tessan {

namespace {

// A file in the chip directory by its name, any other by its path as given.
std::string shown_path(const std::filesystem::path& path, const std::filesystem::path& chip_dir) {
  return path.parent_path() == chip_dir ? path.filename().string() : path.string();
}

std::vector<std::string> files_of(const std::string& source, const DiscoveredPaths& paths,
                                  const std::filesystem::path& chip_dir) {
  std::vector<std::optional<std::filesystem::path>> found;
  if (source == "quarn") found = {paths.quarn_symbol, paths.quarn_footprint};
  if (source == "kicad") found = {paths.kicad_sym, paths.kicad_mod};
  if (source == "eagle") found = {paths.eagle};
  if (source == "altium") found = {paths.altium_footprint, paths.altium_symbol};
  std::vector<std::string> files;
  for (const auto& path : found) {
    if (path) files.push_back(shown_path(*path, chip_dir));
  }
  return files;
}

std::string failure_of(const std::string& source, const std::vector<Hint>& hints) {
  for (const Hint& hint : hints) {
    const auto* failed = std::get_if<SourceParseFailed>(&hint);
    if (failed != nullptr && failed->format == source) return failed->error;
  }
  return "";
}

std::vector<report::SourceOrigin> origins_of(const Assessment& assessment,
                                             const DiscoveredPaths& paths,
                                             const std::filesystem::path& chip_dir) {
  std::vector<report::SourceOrigin> origins;
  for (const char* source : {"quarn", "kicad", "eagle", "altium"}) {
    origins.push_back(
        {source, files_of(source, paths, chip_dir), failure_of(source, assessment.book.hints)});
  }
  return origins;
}

}  // namespace

int run_report(const Report& report) {
  set_quiet_mode(true);
  const TargetResolution resolution = resolve_target(report);
  if (!resolution.target) {
    print_error(resolution.error);
    return resolution.usage_error ? 2 : 1;
  }
  const auto& [chip_dir, mpn] = *resolution.target;
  const DiscoveredPaths paths = discover_sources(report, chip_dir, mpn);
  const Assessment assessment = assess_sources(mpn, paths);
  // With fewer than two readable sources there is no comparison, but a footprint still draws.
  const std::optional<GeometryAnalysis> lone =
      assessment.comparison
          ? std::nullopt
          : std::optional(analyse_geometry(participating_sources(assessment.book.records)));
  const GeometryAnalysis* geometry = lone ? &*lone : &assessment.comparison->geometry;
  const std::string page =
      report::render_review_page({&assessment.document, &assessment.book.records, geometry,
                                  origins_of(assessment, paths, chip_dir), chip_dir.string()});
  const auto out = report.out ? *report.out : chip_dir / (mpn + "-tessan.report.html");
  if (auto written = write_file_atomically(out, page); !written) {
    print_error(written.error().chain());
    return 1;
  }
  print_ok(mpn + " \u2014 review page written to " + out.string());
  return 0;
}

}  // namespace tessan
