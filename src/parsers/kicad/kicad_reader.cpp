#include "parsers/kicad/kicad_reader.hpp"

#include <string>
#include <utility>

#include "parsers/kicad/kicad_footprint_walk.hpp"
#include "parsers/kicad/kicad_pin_walk.hpp"
#include "parsers/kicad/sexpr_cursor.hpp"
#include "parsers/read_text_file.hpp"

namespace tessan {

// The files are walked token by token as they are scanned, the same walks that
// extract_kicad_pins and extract_kicad_footprint run over a token list, so that no token
// list as large as the file is ever held.
Result<SourceData> read_kicad(const std::optional<std::filesystem::path>& symbol_path,
                              const std::optional<std::filesystem::path>& footprint_path) {
  SourceData record;
  record.name = "kicad";
  if (symbol_path) {
    auto text = read_text_file(*symbol_path);
    if (!text) return std::move(text).error();
    SexprStreamCursor cursor(*text);
    record.pins = walk_kicad_pins(cursor);
  }
  if (footprint_path) {
    auto text = read_text_file(*footprint_path);
    if (!text) return std::move(text).error();
    SexprStreamCursor cursor(*text);
    KicadFootprint footprint = walk_kicad_footprint(cursor);
    record.pads = std::move(footprint.pads);
    record.pad_geometry = std::move(footprint.pad_geometry);
    if (footprint.name) record.package = PackageInfo{{}, {}, std::move(*footprint.name)};
  }
  return record;
}

}  // namespace tessan
