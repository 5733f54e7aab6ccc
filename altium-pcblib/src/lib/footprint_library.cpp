#include "altium_pcblib/footprint_library.hpp"

#include <algorithm>

#include "altium_container/library_file.hpp"
#include "altium_pcblib/footprint_stream.hpp"

namespace altium {

namespace {

// The storage of an integrated library that embeds the footprint libraries.
constexpr std::string_view kEmbeddedPcbLibStorage = "PCBLib";

using tessan::Unit;
using tessan::VoidResult;

// The entries found so far, and the pads they may still take.
struct EntryCollection {
  FootprintEntries entries;
  std::size_t pads_left;
};

Error too_many_pads() {
  return Error(std::string(kTooManyPads));
}

// Appends the entries of every footprint storage of an open library. Fails when the library has
// no footprint storage at all, or when its pads pass the bound.
VoidResult append_library_entries(const Container& container, EntryCollection& found) {
  const std::vector<std::string> storages = list_library_storages(container);
  if (storages.empty()) return Error("no footprint storages found in PcbLib");
  for (const std::string& storage : storages) {
    const StreamData stream = read_data_stream(container, storage);
    if (!stream.ok()) continue;
    found.entries.push_back(decode_footprint_stream(storage, stream.bytes, found.pads_left));
    const std::size_t pads = found.entries.back().pads.size();
    if (pads > found.pads_left) return too_many_pads();
    found.pads_left -= pads;
  }
  return Unit{};
}

// Appends the entries of one library embedded in an integrated library.
VoidResult append_embedded_library(const Result<Bytes>& library, EntryCollection& found) {
  if (!library) return library.error();
  const auto container = open_altium_container(*library);
  if (!container) return container.error();
  return append_library_entries(*container, found);
}

// Appends the entries of every embedded library in turn. A library that cannot be inflated or
// opened contributes nothing; the first such failure is kept as the reason should none serve.
// Too many pads end the whole reading.
VoidResult append_embedded_entries(const std::vector<Result<Bytes>>& libraries,
                                   EntryCollection& found, std::optional<Error>& first_failure) {
  for (const Result<Bytes>& library : libraries) {
    auto appended = append_embedded_library(library, found);
    if (!appended && appended.error().message() == kTooManyPads) return appended;
    if (!appended && !first_failure) first_failure = std::move(appended).error();
  }
  return Unit{};
}

void sort_by_pad_count(FootprintEntries& entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const FootprintEntry& a, const FootprintEntry& b) {
                     return a.pads.size() > b.pads.size();
                   });
}

}  // namespace

Result<FootprintEntries> parse_footprint_entries(ByteView bytes, std::size_t max_pads) {
  auto container = open_altium_container(bytes);
  if (!container) return std::move(container).error();

  EntryCollection found{{}, max_pads};
  std::optional<Error> first_failure;
  if (auto embedded = embedded_libraries(*container, kEmbeddedPcbLibStorage)) {
    if (auto appended = append_embedded_entries(*embedded, found, first_failure); !appended) {
      return std::move(appended).error();
    }
  } else if (auto appended = append_library_entries(*container, found); !appended) {
    return std::move(appended).error();
  }
  FootprintEntries& entries = found.entries;

  if (entries.empty()) {
    if (first_failure) return Error("no parseable footprints in PcbLib", *first_failure);
    return Error("no parseable footprints in PcbLib");
  }
  sort_by_pad_count(entries);
  return entries;
}

Result<FootprintEntries> read_footprint_entries(const std::filesystem::path& path) {
  auto bytes = read_library_file(path);
  if (!bytes) return Error("read .PcbLib: " + path.string(), std::move(bytes).error());
  return parse_footprint_entries(bytes->view(), kDefaultMaxPinsOrPads);
}

}  // namespace altium
