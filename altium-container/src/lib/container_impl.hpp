// The inside of an open compound document: the bytes it was opened on and libgsf's objects.
#pragma once

#include <string>
#include <vector>

#include "altium_container/container.hpp"
#include "gsf_support.hpp"

namespace altium {

struct Container::Impl {
  Bytes padded_copy;  // the padded copy of a short buffer; empty when the caller's is used
  ByteView bytes;     // what the document was opened on
  gsf::ObjectRef<GsfInput> input;
  gsf::ObjectRef<GsfInfile> root;
};

// The stream reached from the root through the storages and stream named by `parts`.
StreamData read_stream_at(const Container& container, const std::vector<std::string>& parts);

}  // namespace altium
