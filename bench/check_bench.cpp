// Whole runs of the built tool, one process each, as its callers see it:
// - `check --force` on an example chip directory and on the largest part of the real-library
//   corpus, timed against `tessan health` (the process's start-up cost); the runs of the three
//   commands are interleaved, round after round, and compared by their medians;
// - `report` on the largest corpus part (the example without the corpus) against `check
//   --force` on it, interleaved likewise; the page must take under three times the check;
// - the peak memory of `check` when it reads one large library alone (the largest corpus file
//   of each format and a generated footprint library of about 50 MB), beside that of `health`.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/altium_builders.hpp"
#include "support/test_support.hpp"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using tessan::testing::TempDir;

constexpr int kRounds = 31;
constexpr std::size_t kGeneratedBytes = std::size_t{50} << 20;

struct ProcessRun {
  double milliseconds = 0;
  double peak_mib = 0;
  int exit_code = -1;
};

// Runs the tool with its output discarded; its wall time and peak resident size.
ProcessRun run_tool(const std::vector<std::string>& args) {
  std::vector<std::string> storage = {tessan::testing::tessan_binary().string()};
  storage.insert(storage.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : storage) argv.push_back(arg.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  ProcessRun run;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    run.peak_mib = static_cast<double>(usage.ru_maxrss) / 1024.0;
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  return run;
}

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::uintmax_t part_size(const fs::path& part) {
  std::uintmax_t size = 0;
  for (const auto& entry : fs::directory_iterator(part)) {
    if (entry.is_regular_file()) size += entry.file_size();
  }
  return size;
}

// The corpus part whose discovery files are largest in all.
std::optional<fs::path> largest_corpus_part() {
  const auto corpus = tessan::testing::corpus_dir();
  if (!corpus) return std::nullopt;
  std::optional<fs::path> largest;
  std::uintmax_t largest_size = 0;
  for (const auto& entry : fs::directory_iterator(*corpus)) {
    if (!entry.is_directory() || entry.path().filename().string().starts_with("_")) continue;
    const std::uintmax_t size = part_size(entry.path());
    if (size > largest_size) {
      largest = entry.path();
      largest_size = size;
    }
  }
  return largest;
}

struct TimedCommand {
  std::string label;
  std::vector<std::string> args;
  std::vector<double> milliseconds;
};

// One benchmark iteration is one round: every command runs once, in turn.
void BM_CheckAgainstStartUp(benchmark::State& state) {
  const TempDir out;
  const fs::path example = fs::path(TESSAN_SOURCE_DIR) / "examples" / "DRV8837DSGR";
  std::vector<TimedCommand> commands = {
      {"health", {"health"}, {}},
      {"example", {"check", "--force", "--out-dir", out.path().string(), example.string()}, {}},
  };
  if (const auto part = largest_corpus_part()) {
    commands.push_back(
        {"corpus", {"check", "--force", "--out-dir", out.path().string(), part->string()}, {}});
    state.SetLabel("largest corpus part: " + part->filename().string());
  }
  for (auto _ : state) {
    for (auto& command : commands)
      command.milliseconds.push_back(run_tool(command.args).milliseconds);
  }
  const double health = median(commands[0].milliseconds);
  state.counters["health_ms"] = health;
  for (std::size_t i = 1; i < commands.size(); ++i) {
    const double check = median(commands[i].milliseconds);
    state.counters[commands[i].label + "_ms"] = check;
    state.counters[commands[i].label + "_x_health"] = check / health;
  }
}
BENCHMARK(BM_CheckAgainstStartUp)->Iterations(kRounds)->Unit(benchmark::kMillisecond);

constexpr double kReportTarget = 3;  // report's time over check's, at most

void BM_ReportAgainstCheck(benchmark::State& state) {
  const TempDir out;
  fs::path part = fs::path(TESSAN_SOURCE_DIR) / "examples" / "DRV8837DSGR";
  if (const auto largest = largest_corpus_part()) part = *largest;
  state.SetLabel("part: " + part.filename().string());
  const std::vector<std::string> check = {"check", "--force", "--out-dir", out.path().string(),
                                          part.string()};
  const std::vector<std::string> report = {"report", part.string(), "--out",
                                           (out.path() / "page.html").string()};
  std::vector<double> check_ms, report_ms;
  for (auto _ : state) {
    check_ms.push_back(run_tool(check).milliseconds);
    report_ms.push_back(run_tool(report).milliseconds);
  }
  const double ratio = median(report_ms) / median(check_ms);
  state.counters["check_ms"] = median(check_ms);
  state.counters["report_ms"] = median(report_ms);
  state.counters["report_x_check"] = ratio;
  state.counters["page_KiB"] = static_cast<double>(fs::file_size(out.path() / "page.html")) / 1024;
  if (ratio >= kReportTarget) state.SkipWithError("report takes 3 or more times as long as check");
}
BENCHMARK(BM_ReportAgainstCheck)->Iterations(kRounds)->Unit(benchmark::kMillisecond);

// ---- peak memory of one reader inside a whole run ----

// A chip directory "P" whose only source is `library`, under the file name `discovery_name`.
struct SingleSourceChip {
  TempDir dir;
  fs::path chip;

  SingleSourceChip(const fs::path& library, const std::string& discovery_name)
      : chip(dir.path() / "P") {
    fs::create_directory(chip);
    fs::create_symlink(library, chip / discovery_name);
  }
};

void measure_peak(benchmark::State& state, const fs::path& library,
                  const std::string& discovery_name) {
  const SingleSourceChip chip(library, discovery_name);
  std::vector<double> check_peaks;
  std::vector<double> health_peaks;
  std::vector<double> check_times;
  for (auto _ : state) {
    health_peaks.push_back(run_tool({"health"}).peak_mib);
    const ProcessRun run = run_tool({"check", "--force", chip.chip.string()});
    check_peaks.push_back(run.peak_mib);
    check_times.push_back(run.milliseconds);
  }
  const double file_mib = static_cast<double>(fs::file_size(library)) / (1024.0 * 1024.0);
  const double rise = median(check_peaks) - median(health_peaks);
  state.counters["file_MiB"] = file_mib;
  state.counters["peak_MiB"] = rise;
  state.counters["peak_x_file"] = rise / file_mib;
  state.counters["check_ms"] = median(check_times);
}

// A footprint library of about 50 MB: footprints of 64 pads and as many other records.
fs::path generated_footprint_library(const TempDir& dir) {
  std::vector<tessan::testing::LibraryElement> footprints;
  std::size_t total = 0;
  while (total < kGeneratedBytes) {
    std::vector<tessan::testing::Bytes> records;
    for (int pad = 1; pad <= 64; ++pad) {
      tessan::testing::PcbPad fields;
      fields.designator = std::to_string(pad);
      fields.x = pad * 50000;
      records.push_back(tessan::testing::pcb_pad_record(fields));
      records.push_back(tessan::testing::pcb_record(4, {tessan::testing::Bytes(45, 1)}));
    }
    const std::string name = "FP" + std::to_string(footprints.size());
    footprints.emplace_back(name, tessan::testing::pcb_data_stream(name, records));
    total += footprints.back().second.size();
  }
  const auto bytes = tessan::testing::pcblib_file(footprints);
  return dir.write("generated.PcbLib",
                   std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// The generated library, made in a child process: a spawned process's peak resident size starts
// from its parent's, which must therefore stay small.
fs::path generated_in_child(const TempDir& dir) {
  const fs::path path = dir.path() / "generated.PcbLib";
  const pid_t pid = fork();
  if (pid == 0) {
    generated_footprint_library(dir);
    _exit(0);
  }
  waitpid(pid, nullptr, 0);
  return path;
}

struct LargeLibrary {
  const char* label;
  const char* relative_path;  // within the corpus
  const char* extension;      // of the discovery name
};

void register_peak_benchmarks() {
  const std::vector<LargeLibrary> libraries = {
      {"kicad_sym", "_large/Encoder.kicad_sym", ".kicad_sym"},
      {"kicad_mod", "ESP32-S3-WROOM-1/alt/ESP32-S3-WROOM-1.kicad_mod", ".kicad_mod"},
      {"lbr", "_large/adafruit.lbr", ".lbr"},
      {"PcbLib", "_large/C_ALU_TH.PcbLib", ".PcbLib"},
      {"IntLib", "_large/Altium_BHD_IDC-Connectors (rev18b).IntLib", ".IntLib"},
  };
  if (const auto corpus = tessan::testing::corpus_dir()) {
    for (const auto& library : libraries) {
      const fs::path path = *corpus / library.relative_path;
      if (!fs::exists(path)) continue;
      benchmark::RegisterBenchmark(("BM_CheckPeakMemory/" + std::string(library.label)).c_str(),
                                   [path, library](benchmark::State& state) {
                                     measure_peak(state, path,
                                                  std::string("P") + library.extension);
                                   })
          ->Iterations(5)
          ->Unit(benchmark::kMillisecond);
    }
  }
  benchmark::RegisterBenchmark("BM_CheckPeakMemory/generated_PcbLib",
                               [](benchmark::State& state) {
                                 const TempDir dir;
                                 measure_peak(state, generated_in_child(dir), "P.PcbLib");
                               })
      ->Iterations(5)
      ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  register_peak_benchmarks();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
