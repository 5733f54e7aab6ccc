// Speed of the Altium readers: read_altium on the largest real libraries and on a generated
// footprint library of about 50 MB, and the container's share of the work.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "altium_container/container.hpp"
#include "altium_pcblib/footprint_library.hpp"
#include "altium_pcblib/footprint_stream.hpp"
#include "parsers/altium/altium_reader.hpp"
#include "support/altium_builders.hpp"
#include "support/test_support.hpp"

namespace {

using tessan::testing::Bytes;

constexpr int kGeneratedFootprints = 4000;
constexpr int kPadsPerFootprint = 40;
constexpr int kTracksPerFootprint = 120;

Bytes track_record(int index) {
  Bytes geometry(45, 0);
  geometry[0] = 21;
  geometry[13] = static_cast<std::uint8_t>(index);
  return tessan::testing::pcb_record(4, {geometry});
}

Bytes generated_footprint(int index) {
  std::vector<Bytes> records;
  for (int pad = 1; pad <= kPadsPerFootprint + index % 7; ++pad) {
    tessan::testing::PcbPad fields;
    fields.designator = std::to_string(pad);
    fields.x = pad * 50000;
    fields.y = (index % 13) * 10000;
    records.push_back(tessan::testing::pcb_pad_record(fields));
  }
  for (int track = 0; track < kTracksPerFootprint; ++track) records.push_back(track_record(track));
  return tessan::testing::pcb_data_stream("FP_" + std::to_string(index), records);
}

// The generated library, written once to a temporary directory.
struct GeneratedLibrary {
  tessan::testing::TempDir dir;
  std::vector<tessan::testing::LibraryElement> footprints;
  Bytes bytes;
  std::filesystem::path path;

  GeneratedLibrary() {
    for (int i = 0; i < kGeneratedFootprints; ++i) {
      footprints.emplace_back("FP_" + std::to_string(i), generated_footprint(i));
    }
    bytes = tessan::testing::pcblib_file(footprints);
    path = dir.write("generated.PcbLib",
                     std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }
};

const GeneratedLibrary& generated_library() {
  static const auto library = std::make_unique<GeneratedLibrary>();
  return *library;
}

std::optional<std::filesystem::path> large_library(const char* name) {
  const auto corpus = tessan::testing::corpus_dir();
  if (!corpus) return std::nullopt;
  const auto path = *corpus / "_large" / name;
  if (!std::filesystem::exists(path)) return std::nullopt;
  return path;
}

void run_read_altium(benchmark::State& state, const std::filesystem::path& footprints,
                     const std::optional<std::filesystem::path>& symbols) {
  std::int64_t bytes = static_cast<std::int64_t>(std::filesystem::file_size(footprints));
  if (symbols) bytes += static_cast<std::int64_t>(std::filesystem::file_size(*symbols));
  for (auto _ : state) {
    auto source = tessan::read_altium(footprints, std::nullopt, symbols);
    if (!source.ok()) {
      state.SkipWithError(source.error().chain().c_str());
      return;
    }
    benchmark::DoNotOptimize(source);
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_ReadAltiumLarge(benchmark::State& state, const char* footprints, const char* symbols) {
  const auto footprint_path = large_library(footprints);
  if (!footprint_path) {
    state.SkipWithError("corpus of real libraries not present");
    return;
  }
  run_read_altium(state, *footprint_path, symbols ? large_library(symbols) : std::nullopt);
}
BENCHMARK_CAPTURE(BM_ReadAltiumLarge, CORE, "CORE.PcbLib", "CORE.SCHLIB")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadAltiumLarge, BasicLib, "BasicLib.PcbLib", "BasicLib.SchLib")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadAltiumLarge, C_ALU_TH, "C_ALU_TH.PcbLib", nullptr)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadAltiumLarge, IDC_IntLib, "Altium_BHD_IDC-Connectors (rev18b).IntLib",
                  "Altium_BHD_IDC-Connectors (rev18b).IntLib")
    ->Unit(benchmark::kMillisecond);

void BM_ReadAltiumGenerated(benchmark::State& state) {
  run_read_altium(state, generated_library().path, std::nullopt);
}
BENCHMARK(BM_ReadAltiumGenerated)->Unit(benchmark::kMillisecond);

// The container's part: opening the document held in memory.
void BM_OpenContainer(benchmark::State& state, const Bytes& bytes) {
  for (auto _ : state) {
    auto container = altium::open_altium_container(bytes);
    benchmark::DoNotOptimize(container);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

// The record walk: reading every footprint stream of an open container and decoding it.
void BM_RecordWalk(benchmark::State& state, const Bytes& bytes) {
  auto container = altium::open_altium_container(bytes);
  if (!container.ok()) {
    state.SkipWithError(container.error().chain().c_str());
    return;
  }
  const auto storages = altium::list_library_storages(*container);
  for (auto _ : state) {
    std::size_t pads = 0;
    for (const auto& storage : storages) {
      const auto stream = altium::read_data_stream(*container, storage);
      pads += altium::decode_footprint_stream(storage, stream.bytes).pads.size();
    }
    benchmark::DoNotOptimize(pads);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

// The decoding alone: the generated footprint streams, already in memory.
void BM_DecodeStreamsGenerated(benchmark::State& state) {
  const auto& footprints = generated_library().footprints;
  std::int64_t bytes = 0;
  for (const auto& [name, stream] : footprints) bytes += static_cast<std::int64_t>(stream.size());
  for (auto _ : state) {
    std::size_t pads = 0;
    for (const auto& [name, stream] : footprints) {
      pads += altium::decode_footprint_stream(name, stream).pads.size();
    }
    benchmark::DoNotOptimize(pads);
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_DecodeStreamsGenerated)->Unit(benchmark::kMillisecond);

void BM_OpenContainerGenerated(benchmark::State& state) {
  BM_OpenContainer(state, generated_library().bytes);
}
BENCHMARK(BM_OpenContainerGenerated)->Unit(benchmark::kMillisecond);

void BM_RecordWalkGenerated(benchmark::State& state) {
  BM_RecordWalk(state, generated_library().bytes);
}
BENCHMARK(BM_RecordWalkGenerated)->Unit(benchmark::kMillisecond);

Bytes file_bytes(const std::filesystem::path& path) {
  const std::string text = tessan::testing::read_file(path);
  return Bytes(text.begin(), text.end());
}

void BM_OpenContainerLarge(benchmark::State& state) {
  const auto path = large_library("C_ALU_TH.PcbLib");
  if (!path) return state.SkipWithError("corpus of real libraries not present");
  BM_OpenContainer(state, file_bytes(*path));
}
BENCHMARK(BM_OpenContainerLarge)->Unit(benchmark::kMillisecond);

void BM_RecordWalkLarge(benchmark::State& state) {
  const auto path = large_library("C_ALU_TH.PcbLib");
  if (!path) return state.SkipWithError("corpus of real libraries not present");
  BM_RecordWalk(state, file_bytes(*path));
}
BENCHMARK(BM_RecordWalkLarge)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
