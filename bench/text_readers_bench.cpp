// Throughput and peak memory of the text-format readers (KiCad, EAGLE, quarn JSON) on the
// largest real libraries of the corpus and on generated inputs of about 50 MB each, beside the
// bare parse of the same text by the XML and JSON libraries they stand on.
//
// The EAGLE reader is also set against the tree parse it used to stand on (libxml2 with the
// options it parsed with), timed in turns within one benchmark: its throughput is to be at least
// three times that parse's, and its peak memory at most three times the file plus 16 MiB.
//
// Peak memory is measured once per benchmark in a fresh process (this program run again with
// "--peak-of"): the rise of its peak resident size over that of an idle run, in MiB and as a
// multiple of the file size. Throughput is per CPU second.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "parsers/eagle_reader.hpp"
#include "parsers/kicad/kicad_reader.hpp"
#include "parsers/kicad/tokenize_sexpr.hpp"
#include "parsers/quarn_reader.hpp"

extern char** environ;

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

// One piece of work, named on the command line of the measuring process.
void run_work(const std::vector<std::string>& args) {
  const std::string& kind = args.at(0);
  if (kind == "kicad") {
    benchmark::DoNotOptimize(tessan::read_kicad(fs::path(args.at(1)), std::nullopt));
  } else if (kind == "tokenize") {
    benchmark::DoNotOptimize(tessan::tokenize_sexpr(read_whole(args.at(1))));
  } else if (kind == "eagle") {
    benchmark::DoNotOptimize(tessan::read_eagle(args.at(1)));
  } else if (kind == "libxml2") {
    const std::string text = read_whole(args.at(1));
    xmlDocPtr document = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                                       XML_PARSE_NONET);
    xmlFreeDoc(document);
  } else if (kind == "quarn") {
    benchmark::DoNotOptimize(tessan::read_quarn(args.at(1), fs::path(args.at(2))));
  } else if (kind == "nlohmann") {
    benchmark::DoNotOptimize(nlohmann::json::parse(read_whole(args.at(1))));
    benchmark::DoNotOptimize(nlohmann::json::parse(read_whole(args.at(2))));
  }
}

// The peak resident size of this process's own memory (VmHWM). Not ru_maxrss: across exec that
// keeps the peak of the memory the spawning process had.
long peak_kib_of_self() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

// Runs this program as "--peak-of <work...>" and returns the peak resident size it reports.
long measured_peak_kib(const std::vector<std::string>& work) {
  int out[2];
  if (pipe(out) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::vector<std::string> args = {"/proc/self/exe", "--peak-of"};
  args.insert(args.end(), work.begin(), work.end());
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  std::string reply;
  char buffer[64];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) reply.append(buffer, n);
  close(out[0]);
  if (spawned != 0) return -1;
  waitpid(pid, nullptr, 0);
  return reply.empty() ? -1 : std::stol(reply);
}

void report_peak_memory(benchmark::State& state, const std::vector<std::string>& work,
                        std::size_t file_size) {
  const long idle = measured_peak_kib({"none"});
  const long busy = measured_peak_kib(work);
  if (idle < 0 || busy < 0) return;
  const double rise_mib = static_cast<double>(busy - idle) / 1024.0;
  state.counters["peak_MiB"] = rise_mib;
  state.counters["peak_x_file"] = rise_mib * 1048576.0 / static_cast<double>(file_size);
}

// ---- benchmarks ----

// The options of the tree parse that the EAGLE reader used before it read as a stream.
constexpr int kTreeParseOptions = XML_PARSE_NONET | XML_PARSE_NOWARNING | XML_PARSE_NOERROR |
                                  XML_PARSE_IGNORE_ENC | XML_PARSE_NOBLANKS | XML_PARSE_COMPACT;

double thread_cpu_ms() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void run_measured(benchmark::State& state, const std::function<void()>& work, std::size_t size,
                  const std::vector<std::string>& peak_work) {
  // Each read starts from a clean heap, as in the tool's single run: what one read leaves for
  // the allocator to tidy is tidied within that read's time.
  for (auto _ : state) {
    work();
    malloc_trim(0);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
  report_peak_memory(state, peak_work, size);
}

// Generated inputs take a second or more per read: several reads each, so that the cost of
// freeing one read's memory, which the allocator defers, is spread evenly.
void set_timing(benchmark::internal::Benchmark* benchmark, bool generated) {
  benchmark->Unit(benchmark::kMillisecond);
  if (generated) benchmark->MinTime(4.0);
}

template <class Work>
void register_reader(const std::string& name, Work work, std::size_t size,
                     std::vector<std::string> peak_work, bool generated) {
  auto* benchmark =
      benchmark::RegisterBenchmark(name.c_str(), [work, size, peak_work](benchmark::State& state) {
        run_measured(
            state, [&] { work(state); }, size, peak_work);
      });
  set_timing(benchmark, generated);
}

void fail_on_error(benchmark::State& state, const tessan::Result<tessan::SourceData>& record) {
  if (!record) state.SkipWithError(record.error().chain().c_str());
  benchmark::DoNotOptimize(record);
}

void register_kicad(const std::string& label, const fs::path& path, bool generated) {
  const auto size = fs::file_size(path);
  register_reader(
      "read_kicad/" + label,
      [path](benchmark::State& s) { fail_on_error(s, tessan::read_kicad(path, std::nullopt)); },
      size, {"kicad", path.string()}, generated);
  register_reader(
      "tokenize_sexpr/" + label,
      [text = read_whole(path)](benchmark::State&) {
        benchmark::DoNotOptimize(tessan::tokenize_sexpr(text));
      },
      size, {"tokenize", path.string()}, generated);
}

// Turns of the whole EAGLE read (file included) and of the tree parse of the text in memory.
void stream_against_tree(benchmark::State& state, const fs::path& path) {
  const std::string text = read_whole(path);
  double stream_ms = 0;
  double tree_ms = 0;
  for (auto _ : state) {
    const double start = thread_cpu_ms();
    const auto record = tessan::read_eagle(path);
    malloc_trim(0);
    const double middle = thread_cpu_ms();
    xmlDocPtr document = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                                       kTreeParseOptions);
    xmlFreeDoc(document);
    malloc_trim(0);
    stream_ms += middle - start;
    tree_ms += thread_cpu_ms() - middle;
    if (!record) state.SkipWithError(record.error().chain().c_str());
  }
  const auto turns = static_cast<double>(state.iterations());
  state.counters["stream_ms"] = stream_ms / turns;
  state.counters["tree_parse_ms"] = tree_ms / turns;
  state.counters["x_faster"] = tree_ms / stream_ms;
  const auto size = static_cast<double>(text.size());
  state.counters["peak_limit_MiB"] = 3 * size / 1048576.0 + 16;
  report_peak_memory(state, {"eagle", path.string()}, text.size());
}

void register_eagle(const std::string& label, const fs::path& path, bool generated) {
  const auto size = fs::file_size(path);
  register_reader(
      "read_eagle/" + label,
      [path](benchmark::State& s) { fail_on_error(s, tessan::read_eagle(path)); }, size,
      {"eagle", path.string()}, generated);
  register_reader(
      "libxml2_bare_parse/" + label,
      [text = read_whole(path)](benchmark::State&) {
        xmlDocPtr document = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr,
                                           nullptr, XML_PARSE_NONET);
        benchmark::DoNotOptimize(document);
        xmlFreeDoc(document);
      },
      size, {"libxml2", path.string()}, generated);
  auto* turns = benchmark::RegisterBenchmark(
      ("eagle_stream_against_tree/" + label).c_str(),
      [path](benchmark::State& state) { stream_against_tree(state, path); });
  set_timing(turns, generated);
}

void register_quarn(const std::string& label, const fs::path& symbol, const fs::path& footprint,
                    bool generated) {
  const auto size = fs::file_size(symbol) + fs::file_size(footprint);
  register_reader(
      "read_quarn/" + label,
      [symbol, footprint](benchmark::State& s) {
        fail_on_error(s, tessan::read_quarn(symbol, footprint));
      },
      size, {"quarn", symbol.string(), footprint.string()}, generated);
  register_reader(
      "nlohmann_bare_parse/" + label,
      [symbol_text = read_whole(symbol),
       footprint_text = read_whole(footprint)](benchmark::State&) {
        benchmark::DoNotOptimize(nlohmann::json::parse(symbol_text));
        benchmark::DoNotOptimize(nlohmann::json::parse(footprint_text));
      },
      size, {"nlohmann", symbol.string(), footprint.string()}, generated);
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
    if (fs::exists(large / name)) register_kicad(name, large / name, false);
  }
  for (const char* name : {"adafruit.lbr", "SparkFun-Connectors.lbr"}) {
    if (fs::exists(large / name)) register_eagle(name, large / name, false);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::string_view(argv[1]) == "--peak-of") {
    run_work(std::vector<std::string>(argv + 2, argv + argc));
    std::printf("%ld\n", peak_kib_of_self());
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  const GeneratedInputs generated;
  register_corpus();
  register_kicad("generated", generated.kicad(), true);
  register_eagle("generated", generated.eagle(), true);
  register_quarn("generated", generated.quarn_symbol_path(), generated.quarn_footprint(), true);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
