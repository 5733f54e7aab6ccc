// Writing and reading result documents: a typical one and one with a thousand conflicts.
#include <benchmark/benchmark.h>

#include "result_doc_json.hpp"

namespace {

using namespace tessan;

ResultDoc document_with_conflicts(std::size_t conflicts) {
  ResultDoc doc;
  doc.status = Status::Divergent;
  doc.exit_code = 2;
  doc.mpn = "STM32F405RGT6";
  doc.summary = "STM32F405RGT6 \u2014 DIVERGENT. Sources: [quarn,kicad,eagle,altium]";
  doc.sources_compared = {"quarn", "kicad", "eagle", "altium"};
  for (const char* axis : {"pad_count", "pad_numbers", "symbol_pin_count", "pin_names",
                           "pin_to_pad_map", "package_family", "body_dims"}) {
    doc.axes.push_back(
        AxisOutcome{axis,
                    Verdict::Agree,
                    {{"altium", "64"}, {"eagle", "64"}, {"kicad", "64"}, {"quarn", "64"}},
                    {},
                    3});
  }
  AxisOutcome& names = doc.axes[3];
  names.verdict = Verdict::Disagree;
  for (std::size_t i = 0; i < conflicts; ++i) {
    names.conflicts.push_back("pin " + std::to_string(i) + ": quarn=PA" + std::to_string(i) +
                              " but kicad=PB" + std::to_string(i));
    doc.hints.push_back(RerunQuarnWithStrongerModel{"lone quarn", "pin_names", "claude-opus-4-7"});
  }
  doc.variants.push_back(ExposedPadVariant{{"quarn", "kicad"}, {"eagle"}});
  return doc;
}

void BM_SerializeResultDoc(benchmark::State& state) {
  const ResultDoc doc = document_with_conflicts(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(serialize_result_doc(doc));
}
BENCHMARK(BM_SerializeResultDoc)->Arg(2)->Arg(1000);

void BM_ParseResultDoc(benchmark::State& state) {
  const std::string text =
      *serialize_result_doc(document_with_conflicts(static_cast<std::size_t>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(parse_result_doc(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseResultDoc)->Arg(2)->Arg(1000);

}  // namespace

BENCHMARK_MAIN();
