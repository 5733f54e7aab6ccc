#include "cli/source_discovery.hpp"

#include <sys/stat.h>

namespace tessan {

namespace {

bool entry_exists(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

std::optional<std::filesystem::path> find(const std::optional<std::filesystem::path>& override_path,
                                          const std::filesystem::path& dir,
                                          const std::string& name) {
  if (override_path) return override_path;
  const auto candidate = dir / name;
  if (entry_exists(candidate)) return candidate;
  return std::nullopt;
}

std::optional<std::filesystem::path> first_existing(const std::filesystem::path& dir,
                                                    std::initializer_list<std::string> names) {
  for (const auto& name : names) {
    const auto candidate = dir / name;
    if (entry_exists(candidate)) return candidate;
  }
  return std::nullopt;
}

std::optional<struct timespec> modification_time(const std::filesystem::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return st.st_mtim;
}

bool newer(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

}  // namespace

std::vector<std::filesystem::path> DiscoveredPaths::all() const {
  std::vector<std::filesystem::path> paths;
  for (const auto* p : {&quarn_symbol, &quarn_footprint, &kicad_sym, &kicad_mod, &eagle,
                        &altium_footprint, &altium_symbol}) {
    if (*p) paths.push_back(**p);
  }
  return paths;
}

DiscoveredPaths discover_sources(const SourceOptions& options,
                                 const std::filesystem::path& chip_dir, const std::string& mpn) {
  DiscoveredPaths paths;
  paths.quarn_symbol = find(options.quarn_symbol, chip_dir, mpn + "-symbol.extracted.json");
  paths.quarn_footprint =
      find(options.quarn_footprint, chip_dir, mpn + "-footprint.extracted.json");
  paths.kicad_sym = find(options.kicad_sym, chip_dir, mpn + ".kicad_sym");
  paths.kicad_mod = find(options.kicad_mod, chip_dir, mpn + ".kicad_mod");
  paths.eagle = find(options.eagle, chip_dir, mpn + ".lbr");
  paths.altium_footprint = options.altium
                               ? options.altium
                               : first_existing(chip_dir, {mpn + ".PcbLib", mpn + ".IntLib"});
  paths.altium_symbol = first_existing(chip_dir, {mpn + ".SchLib", mpn + ".IntLib"});
  return paths;
}

bool is_unsafe_mpn(const std::string& mpn) {
  return mpn == "." || mpn == ".." || mpn.find('/') != std::string::npos ||
         mpn.find('\0') != std::string::npos;
}

bool any_source_newer_than(const std::vector<std::filesystem::path>& sources,
                           const std::filesystem::path& document) {
  const auto document_time = modification_time(document);
  if (!document_time) return true;
  for (const auto& source : sources) {
    const auto source_time = modification_time(source);
    if (source_time && newer(*source_time, *document_time)) return true;
  }
  return false;
}

}  // namespace tessan
