// Writes small valid inputs of every format into the fuzz targets' corpus directories:
// libraries built in code (compound documents included), so that each target starts from
// well-formed input even where no real library is at hand.
//
// Usage: write_fuzz_seeds <directory holding corpus-<target>/> [Altium library ...]
// The "Data" streams of the libraries named are written as seeds of the record target.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "altium_container/container.hpp"
#include "result_doc_json.hpp"
#include "support/altium_builders.hpp"

namespace {

namespace fs = std::filesystem;
using namespace tessan::testing;
using namespace std::string_view_literals;

void write_seed(const fs::path& dir, const std::string& target, const std::string& name,
                std::string_view content) {
  const fs::path corpus = dir / ("corpus-" + target);
  fs::create_directories(corpus);
  std::ofstream(corpus / ("seed-" + name), std::ios::binary)
      .write(content.data(), static_cast<std::streamsize>(content.size()));
}

void write_seed(const fs::path& dir, const std::string& target, const std::string& name,
                const Bytes& content) {
  write_seed(dir, target, name,
             std::string_view(reinterpret_cast<const char*>(content.data()), content.size()));
}

constexpr std::string_view kQuarnPair =
    R"({"pins": [{"number": "1", "name": "OUT"}, {"number": 2, "name": "IN-"}, {"number": "3"}]})"
    "\0"
    R"({"package": "SOIC-8", "bodyDimensions": {"x": 3.9, "y": 4.9},)"
    R"( "padDescriptions": {"1": {"x": -2.6}, "2": {}, "EP": null}})"sv;

constexpr std::string_view kKicadSymbol =
    "(kicad_symbol_lib (version 20211014) (generator fuzz)\n"
    "  (symbol \"OPAMP\" (pin_names (offset 1.016))\n"
    "    (symbol \"OPAMP_1_1\"\n"
    "      (pin output line (at 7.62 0 180) (length 2.54)\n"
    "        (name \"OUT\" (effects (font (size 1.27 1.27))))\n"
    "        (number \"1\" (effects (font (size 1.27 1.27)))))\n"
    "      (pin input line (at -7.62 2.54 0) (length 2.54)\n"
    "        (name \"~\" (effects (font (size 1.27 1.27))))\n"
    "        (number \"2\" (effects (font (size 1.27 1.27))))))))\n";

constexpr std::string_view kKicadFootprint =
    "(footprint \"SOIC-8\" (version 20211014) (layer \"F.Cu\")\n"
    "  (pad \"1\" smd rect (at -2.475 -1.905) (size 1.95 0.6) (layers \"F.Cu\" \"F.Mask\"))\n"
    "  (pad 2 smd roundrect (at -2.475 -0.635) (size 1.95 0.6) (layers \"F.Cu\"))\n"
    "  (pad \"\" np_thru_hole circle (at 0 0) (size 1 1) (drill 1) (layers *.Cu))\n"
    "  (fp_text value \"esc\\\"aped\\\\\" (at 0 0)))\n";

constexpr std::string_view kEagleLibrary =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<!DOCTYPE eagle SYSTEM \"eagle.dtd\">\n"
    "<eagle version=\"9.6.2\"><drawing><library><packages>\n"
    "<package name=\"SO8\"><smd name=\"1\" x=\"-2.6\" y=\"1.905\" dx=\"1.95\" dy=\"0.6\"/>\n"
    "<smd name=\"2\" x=\"-2.6\" y=\".635\"/><pad name=\"3\" x=\"2.6\" y=\"-1e-3\" drill=\"1\"/>\n"
    "</package><package name=\"TSSOP\"/></packages>\n"
    "<devicesets><deviceset name=\"OPAMP\"><devices><device name=\"\" package=\"SO8\">\n"
    "<connects><connect gate=\"A\" pin=\"OUT\" pad=\"1\"/><connect gate=\"A\" pin=\"GND@1\""
    " pad=\"2 3\"/></connects></device></devices></deviceset></devicesets>\n"
    "</library></drawing></eagle>\n";

void write_text_seeds(const fs::path& dir) {
  write_seed(dir, "quarn", "pair.json", kQuarnPair);
  write_seed(dir, "kicad", "symbol.kicad_sym", kKicadSymbol);
  write_seed(dir, "kicad", "footprint.kicad_mod", kKicadFootprint);
  write_seed(dir, "eagle", "library.lbr", kEagleLibrary);
}

tessan::ResultDoc every_kind_document() {
  using namespace tessan;
  ResultDoc doc;
  doc.status = Status::Divergent;
  doc.exit_code = 2;
  doc.mpn = "LM358DR";
  doc.summary = "LM358DR \xE2\x80\x94 DIVERGENT";
  doc.sources_compared = {"quarn", "kicad"};
  doc.sources_missing = {"eagle", "altium"};
  doc.axes.push_back(AxisOutcome{
      "pad_count", Verdict::Disagree, {{"kicad", "9"}, {"quarn", "8"}}, {"kicad 9 vs quarn 8"}, 3});
  doc.axes.push_back(AxisOutcome{"body_dims", Verdict::SourceMissing, {}, {}, 1});
  doc.variants = {ExposedPadVariant{{"kicad"}, {"quarn"}},
                  ModuleExtraPads{{"kicad"}, {"quarn"}, 2},
                  LabelOnlyMismatch{"notes"},
                  StubSymbolPinNames{{"kicad"}, {"quarn"}},
                  BodyDimMeasurementArtifact{"notes"},
                  NamingConventionMismatch{{"VDD/VCC"}},
                  KelvinSenseRepresentation{{"kicad"}, {"quarn"}, {"SENSE"}}};
  doc.hints = {RefetchLibrarySource{"kicad", "pads", "notes", {"snapeda"}, "agree"},
               UlSymbolHasStubNames{"kicad", 8, "use quarn", "prefer_quarn_symbol"},
               RerunQuarnWithStrongerModel{"reason", "pins", "model"},
               AcceptWithCaveats{{"caveat"}},
               HumanReview{"reason", "notes"},
               SourceParseFailed{"eagle", "/tmp/x.lbr", "parsing EAGLE XML"}};
  return doc;
}

void write_result_doc_seeds(const fs::path& dir) {
  const auto full = tessan::serialize_result_doc(every_kind_document());
  if (full) write_seed(dir, "result_doc", "every-kind.json", *full);
  const auto empty = tessan::serialize_result_doc(tessan::ResultDoc{});
  if (empty) write_seed(dir, "result_doc", "unrecoverable.json", *empty);
}

Bytes footprint_stream(std::string_view name, int pads, bool through_hole) {
  std::vector<PcbPad> list;
  for (int i = 1; i <= pads; ++i) {
    PcbPad pad;
    pad.designator = std::to_string(i);
    pad.x = i * 50000;
    pad.hole = through_hole ? 30000 : 0;
    pad.shape = static_cast<std::uint8_t>(i % 2 == 0 ? 9 : 1);
    pad.rotation = 90;
    list.push_back(pad);
  }
  return pcb_data_stream(name, list);
}

Bytes component_stream() {
  std::vector<Bytes> records = {
      sch_text_record("|RECORD=1|ComponentDescription=Op amp|PartCount=2"),
      sch_text_record("|RECORD=14|Location.X=-10|Location.Y=-20|Corner.X=10|Corner.Y=20"),
      sch_pin_record(SchPin{"O\\U\\T\\", "1", "", 1, 30, -40, 10}),
      sch_pin_record(SchPin{"IN-", "2", "inverting", 2, 30, -40, 0}),
      sch_pin_record(SchPin{"V+", "8", "", 3, 20, 0, 40})};
  return sch_data_stream(records);
}

void write_altium_seeds(const fs::path& dir) {
  const Bytes soic = footprint_stream("SOIC-8", 8, false);
  const Bytes dip = footprint_stream("DIP-8_TEST", 8, true);
  const Bytes pcblib = pcblib_file({{"SOIC-8", soic}, {"DIP-8_TEST", dip}});
  const Bytes schlib = schlib_file({{"OPAMP", component_stream()}});
  const Bytes intlib = intlib_file({intlib_stream(pcblib)}, {intlib_stream(schlib, false)});
  for (const char* target : {"altium_container", "pcblib"}) {
    write_seed(dir, target, "library.PcbLib", pcblib);
    write_seed(dir, target, "library.IntLib", intlib);
  }
  for (const char* target : {"altium_container", "schlib"}) {
    write_seed(dir, target, "library.SchLib", schlib);
    write_seed(dir, target, "library.IntLib", intlib);
  }
  write_seed(dir, "altium_records", "footprint.Data", soic);
  write_seed(dir, "altium_records", "component.Data", component_stream());
}

// Every library storage's "Data" stream of a real library, as raw record seeds.
void write_stream_seeds(const fs::path& dir, const fs::path& library) {
  std::ifstream in(library, std::ios::binary);
  const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto container = altium::open_altium_container(altium::ByteView(bytes));
  if (!container) return;
  for (const std::string& storage : altium::list_library_storages(*container)) {
    const auto stream = altium::read_data_stream(*container, storage);
    if (!stream.ok() || stream.bytes.empty()) continue;
    std::string name = library.filename().string() + "-" + storage;
    for (char& c : name) {
      if (c == '/' || c == ' ') c = '_';
    }
    write_seed(dir, "altium_records", name, stream.bytes);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: write_fuzz_seeds DIRECTORY [ALTIUM_LIBRARY ...]\n");
    return 2;
  }
  const fs::path dir = argv[1];
  write_text_seeds(dir);
  write_result_doc_seeds(dir);
  write_altium_seeds(dir);
  for (int i = 2; i < argc; ++i) write_stream_seeds(dir, argv[i]);
  return 0;
}
