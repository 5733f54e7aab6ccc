#include "cli/command_line.hpp"

#include <cstdlib>
#include <exception>
#include <iostream>

#include <CLI/CLI.hpp>

#include "result_doc.hpp"

namespace tessan {

namespace {

// The usage-error exit status; it equals the exit code of a divergent check.
constexpr int kUsageError = 2;

// Text options are read into these and turned into the record only when given, so an option
// that was not given stays absent.
struct SourceArguments {
  std::string chip_dir;
  std::string quarn_symbol, quarn_footprint, kicad_sym, kicad_mod, eagle, altium, mpn;
  CLI::Option* given[7] = {};
};

struct CheckArguments {
  SourceArguments sources;
  std::string out_dir;
  CLI::Option* out_dir_given = nullptr;
  bool json_only = false;
  bool force = false;
};

struct ReportArguments {
  SourceArguments sources;
  std::string out;
  CLI::Option* out_given = nullptr;
};

struct InspectArguments {
  std::string chip_dir;
};

void add_chip_dir(CLI::App& command, std::string& chip_dir) {
  command.add_option("chip_dir", chip_dir)->required()->type_name("CHIP_DIR");
}

// The chip directory and the discovery overrides.
void add_sources(CLI::App& command, SourceArguments& args) {
  add_chip_dir(command, args.chip_dir);
  struct Spec {
    const char* name;
    std::string* value;
    const char* value_name;
    const char* help;
  };
  const Spec specs[7] = {
      {"--quarn-symbol", &args.quarn_symbol, "QUARN_SYMBOL",
       "Override auto-detected quarn symbol JSON"},
      {"--quarn-footprint", &args.quarn_footprint, "QUARN_FOOTPRINT",
       "Override auto-detected quarn footprint JSON"},
      {"--kicad-sym", &args.kicad_sym, "KICAD_SYM", "Override auto-detected `<MPN>.kicad_sym`"},
      {"--kicad-mod", &args.kicad_mod, "KICAD_MOD", "Override auto-detected `<MPN>.kicad_mod`"},
      {"--eagle", &args.eagle, "EAGLE", "Override auto-detected `<MPN>.lbr` (Fusion 360 EAGLE)"},
      {"--altium", &args.altium, "ALTIUM",
       "Override auto-detected `<MPN>.PcbLib` (Altium binary footprint)"},
      {"--mpn", &args.mpn, "MPN", "Override the MPN (defaults to chip-dir basename)"},
  };
  for (std::size_t i = 0; i < std::size(specs); ++i) {
    args.given[i] = command.add_option(specs[i].name, *specs[i].value, specs[i].help)
                        ->type_name(specs[i].value_name);
  }
}

void add_check(CLI::App& app, CheckArguments& args) {
  CLI::App* check = app.add_subcommand(
      "check", "Compare quarn-extracted symbol+footprint against harvo's libraries");
  add_sources(*check, args.sources);
  args.out_dir_given =
      check
          ->add_option("--out-dir", args.out_dir,
                       "Output directory for `<MPN>-tessan.result.json`. Default: chip-dir")
          ->type_name("OUT_DIR");
  check->add_flag("--json-only", args.json_only, "Suppress progress; only `OK:`/`ERROR:` lines");
  check->add_flag("--force", args.force, "Bypass the cache and re-run");
}

CLI::App* add_report(CLI::App& app, ReportArguments& args) {
  CLI::App* report = app.add_subcommand(
      "report", "Write a self-contained HTML page that lays the sources side by side for review");
  add_sources(*report, args.sources);
  args.out_given =
      report
          ->add_option("--out", args.out,
                       "Output file for the page. Default: `<MPN>-tessan.report.html` in chip-dir")
          ->type_name("FILE");
  return report;
}

std::optional<std::string> given_text(const CLI::Option* option, const std::string& value) {
  if (option == nullptr || option->count() == 0) return std::nullopt;
  return value;
}

std::optional<std::filesystem::path> given_path(const CLI::Option* option,
                                                const std::string& value) {
  const auto text = given_text(option, value);
  if (!text) return std::nullopt;
  return std::filesystem::path(*text);
}

void fill_sources(const SourceArguments& args, SourceOptions& options) {
  options.chip_dir = args.chip_dir;
  options.quarn_symbol = given_path(args.given[0], args.quarn_symbol);
  options.quarn_footprint = given_path(args.given[1], args.quarn_footprint);
  options.kicad_sym = given_path(args.given[2], args.kicad_sym);
  options.kicad_mod = given_path(args.given[3], args.kicad_mod);
  options.eagle = given_path(args.given[4], args.eagle);
  options.altium = given_path(args.given[5], args.altium);
  options.mpn = given_text(args.given[6], args.mpn);
}

Check to_check(const CheckArguments& args) {
  Check check;
  fill_sources(args.sources, check);
  check.out_dir = given_path(args.out_dir_given, args.out_dir);
  check.json_only = args.json_only;
  check.force = args.force;
  return check;
}

Report to_report(const ReportArguments& args) {
  Report report;
  fill_sources(args.sources, report);
  report.out = given_path(args.out_given, args.out);
  return report;
}

// Help and version end with status 0; every other parser stop is a usage error.
[[noreturn]] void end_parse(const CLI::App& app, const CLI::ParseError& error) {
  const int parser_status = app.exit(error);
  std::exit(parser_status == 0 ? 0 : kUsageError);
}

}  // namespace

Cli parse_command_line(int argc, char** argv) {
  CLI::App app("Cross-source consensus check for chip libraries", "brel-tessan");
  app.set_version_flag("--version", std::string(kVersion));
  app.require_subcommand(1);
  CheckArguments check_args;
  ReportArguments report_args;
  InspectArguments inspect_args;
  add_check(app, check_args);
  CLI::App* report = add_report(app, report_args);
  CLI::App* inspect =
      app.add_subcommand("inspect", "Print a one-screen summary of an existing tessan.result.json");
  add_chip_dir(*inspect, inspect_args.chip_dir);
  CLI::App* health = app.add_subcommand("health", "Probe parser dependencies");
  CLI::App* install =
      app.add_subcommand("install", "Drop SKILL.md to ~/.claude/skills/brel-tessan/");

  if (argc <= 1) {
    std::cerr << app.help();
    std::exit(kUsageError);
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    end_parse(app, error);
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
    std::exit(kUsageError);
  }
  if (report->parsed()) return to_report(report_args);
  if (inspect->parsed()) return Inspect{inspect_args.chip_dir};
  if (health->parsed()) return Health{};
  if (install->parsed()) return Install{};
  return to_check(check_args);
}

}  // namespace tessan
