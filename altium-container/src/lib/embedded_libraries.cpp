// Whole libraries embedded in an integrated library (.IntLib): one stream per library, a tag
// byte and then the library file, stored or zlib-compressed.
#include <string>

#include "altium_container/bounded_inflate.hpp"
#include "container_impl.hpp"

namespace altium {
namespace {

// No embedded library may inflate past this, and all of one storage's together neither.
constexpr std::size_t kMaxInflatedTotal = std::size_t{256} * 1024 * 1024;

constexpr std::uint8_t kStoredTag = 0;
constexpr std::uint8_t kCompressedTag = 2;

// An embedding storage holds streams and no "Data" stream (which would make it a library
// element of its own).
bool is_embedding_storage(const std::vector<gsf::ChildEntry>& children) {
  bool has_stream = false;
  for (const auto& child : children) {
    if (child.name == "Data") return false;
    has_stream = has_stream || !child.is_storage;
  }
  return has_stream;
}

Result<Bytes> unpack(const StreamData& stream, std::size_t budget) {
  if (!stream.ok()) return Error(stream.error_text);
  if (stream.bytes.empty()) return Error("empty embedded library stream");
  const ByteView body = ByteView(stream.bytes).subspan(1);
  switch (stream.bytes[0]) {
    case kStoredTag:
      if (body.size() > budget) return Error("embedded libraries exceed the size bound");
      return Bytes(body.begin(), body.end());
    case kCompressedTag:
      return inflate_bounded(body, budget);
    default:
      return Error("unknown embedded library tag " + std::to_string(stream.bytes[0]));
  }
}

}  // namespace

std::optional<std::vector<Result<Bytes>>> embedded_libraries(const Container& container,
                                                             std::string_view storage_name) {
  const std::string name(storage_name);
  auto storage = gsf::open_child(container.impl().root.get(), name.c_str());
  if (!storage.input || gsf::child_count(storage.input.get()) < 0) return std::nullopt;
  const auto children = gsf::open_children(GSF_INFILE(storage.input.get()));
  if (!is_embedding_storage(children)) return std::nullopt;

  std::vector<Result<Bytes>> libraries;
  std::size_t budget = kMaxInflatedTotal;
  for (const auto& child : children) {
    if (child.is_storage) continue;
    auto library = unpack(read_stream_at(container, {name, child.name}), budget);
    if (library.ok()) budget -= library->size();
    libraries.push_back(std::move(library));
  }
  return libraries;
}

}  // namespace altium
