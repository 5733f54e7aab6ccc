// Bounding the directory tree of a compound document before libgsf walks it.
#include "compound_file_check.hpp"

#include "altium_container/little_endian.hpp"

#include <cstdint>
#include <vector>

namespace altium {
namespace {

constexpr std::uint32_t kLastRegularSector = 0xFFFFFFFA;
constexpr std::uint32_t kNoEntry = 0xFFFFFFFF;
constexpr std::size_t kEntrySize = 128;
constexpr std::size_t kHeaderFatSlots = 109;
constexpr unsigned kShortSectorShift = 9;  // 512-byte sectors, version 3
constexpr unsigned kLongSectorShift = 12;  // 4096-byte sectors, version 4
constexpr std::uint8_t kTypeStorage = 1;
constexpr std::uint8_t kTypeRoot = 5;

// The sectors of a document, read-only and bounds-checked.
class SectorView {
 public:
  SectorView(ByteView document, unsigned shift)
      : document_(document), size_(std::size_t{1} << shift) {}

  std::size_t sector_size() const { return size_; }
  std::size_t sector_count() const { return document_.size() / size_ - 1; }

  // The sector's bytes, or an empty view when it lies outside the document.
  ByteView sector(std::uint32_t id) const {
    if (id > kLastRegularSector || std::size_t{id} >= sector_count()) return {};
    return document_.subspan((std::size_t{id} + 1) * size_, size_);
  }

 private:
  ByteView document_;
  std::size_t size_;
};

void append_ids(ByteView sector, std::size_t count, std::vector<std::uint32_t>& out) {
  for (std::size_t i = 0; i < count; ++i) out.push_back(read_u32_le(sector, 4 * i));
}

// The FAT sector numbers: 109 in the header, the rest in the DIFAT chain.
std::vector<std::uint32_t> fat_sector_ids(ByteView document, const SectorView& sectors) {
  const std::size_t wanted =
      std::min<std::size_t>(read_u32_le(document, 0x2C), sectors.sector_count());
  std::vector<std::uint32_t> ids;
  for (std::size_t i = 0; i < kHeaderFatSlots && ids.size() < wanted; ++i) {
    ids.push_back(read_u32_le(document, 0x4C + 4 * i));
  }
  const std::size_t per_sector = sectors.sector_size() / 4 - 1;
  std::uint32_t next = read_u32_le(document, 0x44);
  for (std::size_t steps = 0; ids.size() < wanted && steps < sectors.sector_count(); ++steps) {
    const ByteView difat = sectors.sector(next);
    if (difat.empty()) break;
    append_ids(difat, std::min(per_sector, wanted - ids.size()), ids);
    next = read_u32_le(difat, per_sector * 4);
  }
  return ids;
}

std::vector<std::uint32_t> read_fat(ByteView document, const SectorView& sectors) {
  std::vector<std::uint32_t> fat;
  for (const std::uint32_t id : fat_sector_ids(document, sectors)) {
    const ByteView sector = sectors.sector(id);
    if (sector.empty()) break;
    append_ids(sector, sectors.sector_size() / 4, fat);
  }
  return fat;
}

// The directory sectors, following the FAT; a cycle ends the chain.
std::vector<ByteView> directory_sectors(ByteView document, const SectorView& sectors) {
  const auto fat = read_fat(document, sectors);
  std::vector<ByteView> chain;
  std::uint32_t id = read_u32_le(document, 0x30);
  while (chain.size() < sectors.sector_count()) {
    const ByteView sector = sectors.sector(id);
    if (sector.empty()) break;
    chain.push_back(sector);
    if (id >= fat.size()) break;
    id = fat[id];
  }
  return chain;
}

class DirectoryTree {
 public:
  DirectoryTree(std::vector<ByteView> sectors, std::size_t entries_per_sector)
      : sectors_(std::move(sectors)), per_sector_(entries_per_sector) {}

  std::size_t entry_count() const { return sectors_.size() * per_sector_; }

  ByteView entry(std::uint32_t id) const {
    return sectors_[id / per_sector_].subspan((id % per_sector_) * kEntrySize, kEntrySize);
  }

 private:
  std::vector<ByteView> sectors_;
  std::size_t per_sector_;
};

struct PendingEntry {
  std::uint32_t id;
  std::uint32_t parent;
  std::size_t depth;
};

// Visits the tree in the order libgsf's recursion does (left sibling, right sibling, child),
// each entry once, measuring the recursion depth, the entries under every storage, and the
// steps of libgsf's sorted inserts: the n-th child of a storage passes the n - 1 before it.
std::optional<std::string> check_tree(const DirectoryTree& tree) {
  std::vector<bool> seen(tree.entry_count(), false);
  std::vector<std::size_t> entries_under(tree.entry_count(), 0);
  std::size_t insert_steps = 0;
  std::vector<PendingEntry> pending = {{0, kNoEntry, 1}};
  while (!pending.empty()) {
    const PendingEntry at = pending.back();
    pending.pop_back();
    if (at.id >= tree.entry_count() || seen[at.id]) continue;
    seen[at.id] = true;
    if (at.depth > kMaxDirectoryDepth) return "directory tree nested too deeply";
    if (at.parent != kNoEntry) {
      const std::size_t siblings = ++entries_under[at.parent];
      if (siblings > kMaxStorageEntries) return "too many entries in one storage";
      insert_steps += siblings - 1;
      if (insert_steps > kMaxDirectoryInsertSteps) return "too many directory entries";
    }
    const ByteView entry = tree.entry(at.id);
    const std::uint8_t type = entry[0x42];
    if (type == kTypeStorage || type == kTypeRoot) {
      pending.push_back({read_u32_le(entry, 0x4C), at.id, at.depth + 1});
    }
    pending.push_back({read_u32_le(entry, 0x48), at.parent, at.depth + 1});
    pending.push_back({read_u32_le(entry, 0x44), at.parent, at.depth + 1});
  }
  return std::nullopt;
}

// libgsf reads the entries that the root's sibling links name as well, as parentless entries,
// and drops each one without freeing it. A well-formed root has no siblings; a link to the
// root itself or past the directory reads nothing.
bool root_has_siblings(const DirectoryTree& tree) {
  if (tree.entry_count() == 0) return false;
  const ByteView root = tree.entry(0);
  for (const std::size_t field : {std::size_t{0x44}, std::size_t{0x48}}) {
    const std::uint32_t id = read_u32_le(root, field);
    if (id != 0 && id < tree.entry_count()) return true;
  }
  return false;
}

}  // namespace

std::optional<std::string> find_compound_file_fault(ByteView document) {
  if (document.size() < 512) return std::nullopt;
  // libgsf also takes 128, 256, 1024 and 2048-byte sectors, which no library uses.
  const unsigned shift = document[0x1E] | document[0x1F] << 8;
  if (shift != kShortSectorShift && shift != kLongSectorShift) return "unsupported sector size";
  const SectorView sectors(document, shift);
  if (document.size() < 2 * sectors.sector_size()) return std::nullopt;
  const DirectoryTree tree(directory_sectors(document, sectors),
                           sectors.sector_size() / kEntrySize);
  if (root_has_siblings(tree)) return "root directory entry has siblings";
  return check_tree(tree);
}

}  // namespace altium
