#include "cli/source_discovery.hpp"

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

}  // namespace

std::vector<std::filesystem::path> DiscoveredPaths::all() const {
  std::vector<std::filesystem::path> paths;
  for (const auto* p : {&quarn_symbol, &quarn_footprint, &kicad_sym, &kicad_mod, &eagle,
                        &altium_footprint, &altium_symbol}) {
    if (*p) paths.push_back(**p);
  }
  return paths;
}

std::vector<std::string> DiscoveredPaths::sources_to_read() const {
  std::vector<std::string> sources;
  if (quarn_symbol) sources.emplace_back("quarn");
  if (kicad_sym || kicad_mod) sources.emplace_back("kicad");
  if (eagle) sources.emplace_back("eagle");
  if (altium_footprint) sources.emplace_back("altium");
  return sources;
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

}  // namespace tessan
