// Reading whole streams of an open compound document by path.
#include <string>
#include <vector>

#include "container_impl.hpp"

namespace altium {
namespace {

StreamData failure(StreamFailure kind, std::string text) {
  StreamData data;
  data.failure = kind;
  data.error_text = std::move(text);
  return data;
}

std::vector<std::string> split_path(std::string_view path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// The storage a path starts from: a root storage already opened by the index, or the root.
GsfInfile* starting_storage(const Container& container, const std::vector<std::string>& parts,
                            std::size_t& first_part) {
  const auto& storages = index_root(container).storages;
  if (parts.size() > 1) {
    const auto found = storages.find(parts.front());
    if (found != storages.end() && found->second) {
      first_part = 1;
      return GSF_INFILE(found->second.get());
    }
  }
  first_part = 0;
  return container.impl().root.get();
}

// Walks down the path; the result is the opened stream, or why it cannot be.
StreamData open_path(const Container& container, const std::vector<std::string>& parts,
                     gsf::ObjectRef<GsfInput>& opened) {
  if (parts.empty()) return failure(StreamFailure::CannotOpen, "not a stream");
  std::size_t first_part = 0;
  GsfInfile* parent = starting_storage(container, parts, first_part);
  gsf::ObjectRef<GsfInput> current;
  for (std::size_t i = first_part; i < parts.size(); ++i) {
    if (parent == nullptr) return failure(StreamFailure::CannotOpen, "not a storage");
    auto child = gsf::open_child(parent, parts[i].c_str());
    if (!child.found) return failure(StreamFailure::CannotOpen, "no such stream");
    if (!child.input) return failure(StreamFailure::CannotOpen, child.error_text);
    current = std::move(child.input);
    parent = gsf::child_count(current.get()) >= 0 ? GSF_INFILE(current.get()) : nullptr;
  }
  if (parent != nullptr) return failure(StreamFailure::CannotOpen, "not a stream");
  opened = std::move(current);
  return {};
}

// Reads the whole stream; its declared size is checked against the document's own size, since
// no stream can hold more bytes than the document that contains it.
StreamData read_whole(GsfInput* stream, std::size_t document_size) {
  const gsf_off_t size = gsf_input_size(stream);
  if (size < 0 || static_cast<std::uint64_t>(size) > document_size) {
    return failure(StreamFailure::CannotRead, "stream size exceeds the document");
  }
  StreamData data;
  data.bytes.resize(static_cast<std::size_t>(size));
  if (size > 0 && gsf_input_read(stream, data.bytes.size(), data.bytes.data()) == nullptr) {
    return failure(StreamFailure::CannotRead, "cannot read stream to its end");
  }
  return data;
}

}  // namespace

StreamData read_stream_at(const Container& container, const std::vector<std::string>& parts) {
  gsf::ObjectRef<GsfInput> stream;
  StreamData opened = open_path(container, parts, stream);
  if (!opened.ok()) return opened;
  return read_whole(stream.get(), container.impl().bytes.size());
}

StreamData read_stream(const Container& container, std::string_view absolute_path) {
  return read_stream_at(container, split_path(absolute_path));
}

// The storage name is taken whole, even should it hold a "/".
StreamData read_data_stream(const Container& container, std::string_view storage_name) {
  return read_stream_at(container, {std::string(storage_name), "Data"});
}

}  // namespace altium
