// The command-line grammar and the parsed command.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <variant>

namespace tessan {

// The chip directory and the overrides of source discovery, shared by `check` and `report`.
struct SourceOptions {
  std::filesystem::path chip_dir;
  std::optional<std::filesystem::path> quarn_symbol;
  std::optional<std::filesystem::path> quarn_footprint;
  std::optional<std::filesystem::path> kicad_sym;
  std::optional<std::filesystem::path> kicad_mod;
  std::optional<std::filesystem::path> eagle;
  std::optional<std::filesystem::path> altium;
  std::optional<std::string> mpn;
};

struct Check : SourceOptions {
  std::optional<std::filesystem::path> out_dir;
  bool json_only = false;
  bool force = false;
};

// The review page of a chip directory.
struct Report : SourceOptions {
  std::optional<std::filesystem::path> out;
};

struct Inspect {
  std::filesystem::path chip_dir;
};
struct Health {};
struct Install {};

using Cli = std::variant<Check, Report, Inspect, Health, Install>;

// Parses argv into a command, or ends the process the way the parser does: help and version
// exit 0, usage errors (and no arguments at all) print their text and exit 2.
Cli parse_command_line(int argc, char** argv);

// Runs the parsed command and returns the process exit status.
int dispatch(const Cli& cli);

}  // namespace tessan
