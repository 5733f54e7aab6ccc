// The S-expression tokenizer and both KiCad walks, over the token list and over the text read
// token by token; the two ways must agree.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.hpp"
#include "parsers/kicad/kicad_footprint.hpp"
#include "parsers/kicad/kicad_footprint_walk.hpp"
#include "parsers/kicad/kicad_pin_walk.hpp"
#include "parsers/kicad/kicad_pins.hpp"
#include "parsers/kicad/sexpr_cursor.hpp"
#include "parsers/kicad/tokenize_sexpr.hpp"
#include "parsers/read_text_file.hpp"

namespace {

using namespace tessan;

void require_sound_tokens(const SexprTokenList& tokens, std::size_t input_size) {
  fuzz::require(tokens.size() <= input_size, "more tokens than input bytes");
  for (const SexprToken& token : tokens) {
    const bool bracket = token.kind == SexprTokenKind::Open || token.kind == SexprTokenKind::Close;
    fuzz::require(!bracket || token.text.empty(), "bracket token with text");
    fuzz::require(token.kind != SexprTokenKind::Atom || !token.text.empty(), "empty atom");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(fuzz::as_text(data, size));
  const SexprTokenList tokens = tokenize_sexpr(text);
  require_sound_tokens(tokens, size);
  const std::vector<Pin> pins = extract_kicad_pins(tokens.tokens());
  const KicadFootprint footprint = extract_kicad_footprint(tokens.tokens());

  std::string pin_text = text;
  SexprStreamCursor pin_cursor(pin_text);
  fuzz::require(walk_kicad_pins(pin_cursor) == pins, "streamed pin walk differs");
  std::string footprint_text = text;
  SexprStreamCursor footprint_cursor(footprint_text);
  fuzz::require(walk_kicad_footprint(footprint_cursor) == footprint,
                "streamed footprint walk differs");

  if (is_valid_utf8(text)) {
    SourceData record;
    record.pins = pins;
    record.pads = footprint.pads;
    if (footprint.name) record.package = PackageInfo{{}, {}, *footprint.name};
    fuzz::require_sound_record(record);
  }
  return 0;
}
