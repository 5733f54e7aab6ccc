// The inside of an open compound document: the bytes it was opened on and libgsf's objects.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "altium_container/container.hpp"
#include "gsf_support.hpp"

namespace altium {

// The root's children, listed once: libgsf finds a child by walking its list, so the storages
// are kept open for the stream reads that follow.
struct RootIndex {
  std::vector<RootChild> children;
  std::unordered_map<std::string, gsf::ObjectRef<GsfInput>> storages;
};

struct Container::Impl {
  Bytes owned;     // the buffer moved in, or the padded copy of a short view
  ByteView bytes;  // what the document was opened on: `owned`, or the caller's long view
  gsf::ObjectRef<GsfInput> input;
  gsf::ObjectRef<GsfInfile> root;
  std::optional<RootIndex> root_index;
};

// The root's children, listed on first use.
const RootIndex& index_root(const Container& container);

// The stream reached from the root through the storages and stream named by `parts`.
StreamData read_stream_at(const Container& container, const std::vector<std::string>& parts);

}  // namespace altium
