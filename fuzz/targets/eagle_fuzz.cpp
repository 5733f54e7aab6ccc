// The EAGLE reader: the streamed library read and the pins in memory on any bytes, and the
// whole reader on a file when the bytes are valid UTF-8 (others are refused before parsing).
#include <cstddef>
#include <cstdint>

#include "fuzz_support.hpp"
#include "parsers/eagle_library.hpp"
#include "parsers/eagle_reader.hpp"
#include "parsers/read_text_file.hpp"

namespace {

using namespace tessan;

constexpr std::size_t kExpansionBudget = std::size_t{1} << 20;

void walk_in_memory(std::string_view text) {
  auto library = read_eagle_library(text, EagleReadLimits{text.size() + kExpansionBudget});
  if (!library) {
    fuzz::require(!library.error().chain().empty(), "error without a message");
    return;
  }
  for (const Pin& pin : library->pins) {
    fuzz::require(is_stub_name(pin.name, pin.number) == pin.is_stub, "stub flag against the rule");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::as_text(data, size);
  walk_in_memory(text);
  if (!is_valid_utf8(text)) return 0;
  const auto record = read_eagle(fuzz::write_scratch_file("library.lbr", text));
  if (record) fuzz::require_sound_record(*record);
  return 0;
}
