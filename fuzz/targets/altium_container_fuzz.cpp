// The compound-document container: opening, the root listing, every library storage's "Data"
// stream framed both ways, and the libraries embedded in an integrated library.
#include <cstddef>
#include <cstdint>

#include "altium_container/container.hpp"
#include "altium_container/records.hpp"
#include "fuzz_support.hpp"
#include "parsers/read_text_file.hpp"

namespace {

using namespace altium;
using tessan::fuzz::require;

void frame_both_ways(ByteView stream) {
  for (const PcbRecord& record : walk_pcb_records(stream, 0)) {
    for (ByteView block : record.sub_blocks) {
      require(block.data() >= stream.data() &&
                  block.data() + block.size() <= stream.data() + stream.size(),
              "sub-block outside its stream");
    }
  }
  for (ByteView payload : walk_sch_records(stream)) {
    require(!payload.empty(), "empty SchLib record payload");
  }
}

void read_storages(const Container& container) {
  for (const RootChild& child : list_root_children(container)) {
    require(tessan::is_valid_utf8(child.name), "storage name not UTF-8");
  }
  for (const std::string& name : list_library_storages(container)) {
    const StreamData stream = read_data_stream(container, name);
    if (stream.ok()) frame_both_ways(stream.bytes);
  }
  for (const char* embedding : {"PCBLib", "SchLib"}) {
    const auto libraries = embedded_libraries(container, embedding);
    if (!libraries) continue;
    for (const auto& library : *libraries) {
      if (library) (void)open_altium_container(*library);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto container = open_altium_container(ByteView(data, size));
  if (container) read_storages(*container);
  return 0;
}
