// Throughput and peak memory of the text-format readers (KiCad, EAGLE, quarn JSON) on the
// largest real libraries of the corpus and on generated inputs of about 50 MB each, beside the
// bare parse of the same text by the XML and JSON libraries they stand on.
//
// Peak memory is measured once per benchmark in a child process: the rise of its peak resident
// size over that of an idle child, in MiB and as a multiple of the file size.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "parsers/eagle_reader.hpp"
#include "parsers/kicad/kicad_reader.hpp"
#include "parsers/kicad/tokenize_sexpr.hpp"
#include "parsers/quarn_reader.hpp"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kGeneratedBytes = 50u << 20;

std::string read_whole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void write_whole(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// ---- generated inputs ----

std::string kicad_pin_text(int number) {
  const std::string n = std::to_string(number);
  return "\t\t\t(pin bidirectional line\n\t\t\t\t(at -12.7 " + n +
         ".54 0)\n\t\t\t\t(length 2.54)\n\t\t\t\t(name \"IO" + n +
         "\"\n\t\t\t\t\t(effects\n\t\t\t\t\t\t(font\n\t\t\t\t\t\t\t(size 1.27 "
         "1.27)\n\t\t\t\t\t\t)\n"
         "\t\t\t\t\t)\n\t\t\t\t)\n\t\t\t\t(number \"" +
         n +
         "\"\n\t\t\t\t\t(effects\n\t\t\t\t\t\t(font\n\t\t\t\t\t\t\t(size 1.27 1.27)\n"
         "\t\t\t\t\t\t)\n\t\t\t\t\t)\n\t\t\t\t)\n\t\t\t)\n";
}

std::string generated_kicad_library() {
  std::string text = "(kicad_symbol_lib\n\t(version 20231120)\n\t(generator \"bench\")\n";
  for (int symbol = 0; text.size() < kGeneratedBytes; ++symbol) {
    const std::string name = "PART" + std::to_string(symbol);
    text += "\t(symbol \"" + name +
            "\"\n\t\t(pin_names\n\t\t\t(offset 1.016)\n\t\t)\n\t\t(property \"Reference\" \"U\"\n"
            "\t\t\t(at 0 0 0)\n\t\t)\n\t\t(symbol \"" +
            name +
            "_1_1\"\n\t\t\t(rectangle\n\t\t\t\t(start -10.16 10.16)\n\t\t\t\t(end 10.16 "
            "-10.16)\n\t\t\t)\n";
    for (int pin = 1; pin <= 64; ++pin) text += kicad_pin_text(pin);
    text += "\t\t)\n\t)\n";
  }
  return text + ")\n";
}

std::string generated_eagle_library() {
  std::string packages;
  std::string devices;
  for (int package = 0; packages.size() + devices.size() < kGeneratedBytes; ++package) {
    const std::string name = "PKG" + std::to_string(package);
    packages += "<package name=\"" + name + "\">\n<description>generated</description>\n";
    devices +=
        "<device name=\"D" + std::to_string(package) + "\" package=\"" + name + "\">\n<connects>\n";
    for (int pad = 1; pad <= 64; ++pad) {
      const std::string n = std::to_string(pad);
      packages += "<smd name=\"" + n + "\" x=\"" + std::to_string(pad % 16 * 0.5 - 4) + "\" y=\"" +
                  std::to_string(pad / 16 * 0.5 - 4) +
                  "\" dx=\"0.3\" dy=\"1.2\" layer=\"1\" rot=\"R90\"/>\n";
      devices += "<connect gate=\"G$1\" pin=\"IO" + n + "\" pad=\"" + n + "\"/>\n";
    }
    packages +=
        "<wire x1=\"-5\" y1=\"-5\" x2=\"5\" y2=\"5\" width=\"0.127\" layer=\"21\"/>\n"
        "</package>\n";
    devices +=
        "</connects>\n<technologies>\n<technology name=\"\"/>\n</technologies>\n"
        "</device>\n";
  }
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE eagle SYSTEM \"eagle.dtd\">\n"
         "<eagle version=\"9.6.2\">\n<drawing>\n<library>\n<packages>\n" +
         packages +
         "</packages>\n<symbols>\n</symbols>\n<devicesets>\n<deviceset name=\"PART\">\n"
         "<devices>\n" +
         devices + "</devices>\n</deviceset>\n</devicesets>\n</library>\n</drawing>\n</eagle>\n";
}

std::string generated_quarn_footprint() {
  std::string text =
      "{\n  \"package\": \"BGA-HUGE\",\n  \"bodyDimensions\": {\"x\": 35.0, "
      "\"y\": 35.0},\n  \"padDescriptions\": {\n";
  for (int pad = 0; text.size() < kGeneratedBytes; ++pad) {
    if (pad > 0) text += ",\n";
    text += "    \"P" + std::to_string(pad) + "\": {\"x\": " + std::to_string(pad % 1000 * 0.8) +
            ", \"y\": " + std::to_string(pad / 1000 * 0.8) +
            ", \"width\": 0.4, \"height\": 0.4, \"shape\": \"circle\", \"net\": \"N" +
            std::to_string(pad) + "\"}";
  }
  return text + "\n  }\n}\n";
}

std::string quarn_symbol() {
  std::string text = "{\"pins\": [";
  for (int pin = 1; pin <= 256; ++pin) {
    if (pin > 1) text += ", ";
    text += "{\"number\": \"" + std::to_string(pin) + "\", \"name\": \"IO" + std::to_string(pin) +
            "\"}";
  }
  return text + "]}";
}

// ---- peak memory ----

long child_peak_kib(const std::function<void()>& work) {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    close(pipe_fds[0]);
    work();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const long peak = usage.ru_maxrss;
    if (write(pipe_fds[1], &peak, sizeof peak) != static_cast<ssize_t>(sizeof peak)) _exit(1);
    _exit(0);
  }
  close(pipe_fds[1]);
  long peak = -1;
  if (read(pipe_fds[0], &peak, sizeof peak) != static_cast<ssize_t>(sizeof peak)) peak = -1;
  close(pipe_fds[0]);
  waitpid(pid, nullptr, 0);
  return peak;
}

void report_peak_memory(benchmark::State& state, const std::function<void()>& work,
                        std::size_t file_size) {
  const long idle = child_peak_kib([] {});
  const long busy = child_peak_kib(work);
  const double rise_mib = static_cast<double>(busy - idle) / 1024.0;
  state.counters["peak_MiB"] = rise_mib;
  state.counters["peak_x_file"] = rise_mib * 1048576.0 / static_cast<double>(file_size);
}

// ---- benchmarks ----

void run_measured(benchmark::State& state, const std::function<void()>& work, std::size_t size) {
  for (auto _ : state) work();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
  report_peak_memory(state, work, size);
}

void register_kicad(const std::string& label, const fs::path& path) {
  const auto size = fs::file_size(path);
  benchmark::RegisterBenchmark(("read_kicad/" + label).c_str(), [path, size](benchmark::State& s) {
    run_measured(
        s,
        [&] {
          auto record = tessan::read_kicad(path, std::nullopt);
          if (!record) s.SkipWithError(record.error().chain().c_str());
          benchmark::DoNotOptimize(record);
        },
        size);
  })->Unit(benchmark::kMillisecond);
  const std::string text = read_whole(path);
  benchmark::RegisterBenchmark(("tokenize_sexpr/" + label).c_str(), [text](benchmark::State& s) {
    run_measured(
        s, [&] { benchmark::DoNotOptimize(tessan::tokenize_sexpr(text)); }, text.size());
  })->Unit(benchmark::kMillisecond);
}

void register_eagle(const std::string& label, const fs::path& path) {
  const auto size = fs::file_size(path);
  benchmark::RegisterBenchmark(("read_eagle/" + label).c_str(), [path, size](benchmark::State& s) {
    run_measured(
        s,
        [&] {
          auto record = tessan::read_eagle(path);
          if (!record) s.SkipWithError(record.error().chain().c_str());
          benchmark::DoNotOptimize(record);
        },
        size);
  })->Unit(benchmark::kMillisecond);
  const std::string text = read_whole(path);
  benchmark::RegisterBenchmark(("libxml2_bare_parse/" + label).c_str(), [text](
                                                                            benchmark::State& s) {
    run_measured(
        s,
        [&] {
          xmlDocPtr document = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr,
                                             nullptr, XML_PARSE_NONET);
          benchmark::DoNotOptimize(document);
          xmlFreeDoc(document);
        },
        text.size());
  })->Unit(benchmark::kMillisecond);
}

void register_quarn(const std::string& label, const fs::path& symbol, const fs::path& footprint) {
  const auto size = fs::file_size(symbol) + fs::file_size(footprint);
  benchmark::RegisterBenchmark(("read_quarn/" + label).c_str(), [symbol, footprint,
                                                                 size](benchmark::State& s) {
    run_measured(
        s,
        [&] {
          auto record = tessan::read_quarn(symbol, footprint);
          if (!record) s.SkipWithError(record.error().chain().c_str());
          benchmark::DoNotOptimize(record);
        },
        size);
  })->Unit(benchmark::kMillisecond);
  const std::string symbol_text = read_whole(symbol);
  const std::string footprint_text = read_whole(footprint);
  benchmark::RegisterBenchmark(("nlohmann_bare_parse/" + label).c_str(), [symbol_text,
                                                                          footprint_text](
                                                                             benchmark::State& s) {
    run_measured(
        s,
        [&] {
          benchmark::DoNotOptimize(nlohmann::json::parse(symbol_text));
          benchmark::DoNotOptimize(nlohmann::json::parse(footprint_text));
        },
        symbol_text.size() + footprint_text.size());
  })->Unit(benchmark::kMillisecond);
}

class GeneratedInputs {
 public:
  GeneratedInputs() {
    std::string pattern = (fs::temp_directory_path() / "tessan-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    dir_ = pattern;
    write_whole(kicad(), generated_kicad_library());
    write_whole(eagle(), generated_eagle_library());
    write_whole(quarn_symbol_path(), quarn_symbol());
    write_whole(quarn_footprint(), generated_quarn_footprint());
  }
  ~GeneratedInputs() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  GeneratedInputs(const GeneratedInputs&) = delete;
  GeneratedInputs& operator=(const GeneratedInputs&) = delete;

  fs::path kicad() const { return dir_ / "generated.kicad_sym"; }
  fs::path eagle() const { return dir_ / "generated.lbr"; }
  fs::path quarn_symbol_path() const { return dir_ / "generated-symbol.extracted.json"; }
  fs::path quarn_footprint() const { return dir_ / "generated-footprint.extracted.json"; }

 private:
  fs::path dir_;
};

void register_corpus() {
  const fs::path large = fs::path(TESSAN_CORPUS_DIR) / "_large";
  std::error_code ec;
  if (!fs::is_directory(large, ec)) {
    std::fprintf(stderr, "corpus not present: only generated inputs are measured\n");
    return;
  }
  for (const char* name : {"Encoder.kicad_sym", "Espressif.kicad_sym"}) {
    if (fs::exists(large / name)) register_kicad(name, large / name);
  }
  for (const char* name : {"adafruit.lbr", "SparkFun-Connectors.lbr"}) {
    if (fs::exists(large / name)) register_eagle(name, large / name);
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const GeneratedInputs generated;
  register_corpus();
  register_kicad("generated", generated.kicad());
  register_eagle("generated", generated.eagle());
  register_quarn("generated", generated.quarn_symbol_path(), generated.quarn_footprint());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
