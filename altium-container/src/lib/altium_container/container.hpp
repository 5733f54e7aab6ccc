// The compound-document (OLE2) container of Altium libraries: opening it from memory,
// listing the storages that hold library elements, and reading their streams.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tessan_error.hpp"

namespace altium {

using tessan::Error;
using tessan::Result;
using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

// An open compound document. Owns the compound-file reader's objects, and the buffer it was
// opened on unless that was a caller's view of 1 MiB or more; movable, not copyable. Reading
// fills a cache of the root's children, so one container serves one thread at a time.
class Container {
 public:
  struct Impl;
  explicit Container(std::unique_ptr<Impl> impl);
  Container(Container&&) noexcept;
  Container& operator=(Container&&) noexcept;
  ~Container();
  Impl& impl() const { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

// Checks the signature, pads short buffers with 0xFF to 1 MiB, opens the document.
// Errors: "not an OLE2 compound document (bad magic)", "open OLE2: " + reader's text.
// A buffer handed over as a temporary is moved into the container. A view of 1 MiB or more is
// opened in place, without a copy: its owner keeps it alive while the container is in use. A
// shorter view is copied (and padded).
Result<Container> open_altium_container(Bytes&& bytes);
Result<Container> open_altium_container(ByteView bytes);

struct RootChild {
  std::string name;
  bool is_storage = false;
};

// Direct children of the root storage, in directory order.
std::vector<RootChild> list_root_children(const Container& container);

// Storages under the root that hold library elements, in directory order (skips streams,
// names starting with U+0001, "Library" and "FileVersionInfo").
std::vector<std::string> list_library_storages(const Container& container);

enum class StreamFailure { None, CannotOpen, CannotRead };

struct StreamData {
  Bytes bytes;
  StreamFailure failure = StreamFailure::None;
  std::string error_text;  // the compound-file reader's text when failure != None
  bool ok() const { return failure == StreamFailure::None; }
};

// The stream at an absolute path such as "/SOIC8/Data", read whole.
StreamData read_stream(const Container& container, std::string_view absolute_path);

// The stream "/" + storage + "/Data", read whole.
StreamData read_data_stream(const Container& container, std::string_view storage_name);

// An integrated library (.IntLib) embeds whole libraries as streams of a storage under the root
// ("PCBLib" for footprints, "SchLib" for symbols). When `storage_name` is such a storage (it holds
// streams and no "Data" stream), returns the embedded library files in stream order, each
// inflated (tag byte 2: zlib, 0: stored) with a bound on the inflated size; a stream that cannot
// be read or inflated is an error entry. Otherwise returns nothing.
std::optional<std::vector<Result<Bytes>>> embedded_libraries(const Container& container,
                                                             std::string_view storage_name);

}  // namespace altium
