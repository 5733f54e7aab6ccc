// The quarn reader on a symbol document and, after the first NUL byte of the input (which JSON
// text cannot hold), a footprint document.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "fuzz_support.hpp"
#include "parsers/quarn_reader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessan::fuzz;
  const std::string_view input = as_text(data, size);
  const std::size_t split = input.find('\0');
  const auto symbol = write_scratch_file("symbol.json", input.substr(0, split));
  std::optional<std::filesystem::path> footprint;
  if (split != std::string_view::npos) {
    footprint = write_scratch_file("footprint.json", input.substr(split + 1));
  }
  const auto record = tessan::read_quarn(symbol, footprint);
  if (record) {
    require_sound_record(*record);
    require(footprint || record->pads.empty(), "pads without a footprint document");
  } else {
    require(!record.error().message().empty(), "error without a message");
  }
  return 0;
}
