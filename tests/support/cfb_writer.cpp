// Writer and editor of version-3 compound documents for tests.
#include "support/cfb_writer.hpp"

#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <stdexcept>

namespace tessan::testing {
namespace {

constexpr std::size_t kSectorSize = 512;
constexpr std::size_t kMiniSectorSize = 64;
constexpr std::size_t kMiniStreamCutoff = 4096;
constexpr std::size_t kEntrySize = 128;
constexpr std::size_t kEntriesPerSector = kSectorSize / kEntrySize;
constexpr std::size_t kIdsPerSector = kSectorSize / 4;
constexpr std::size_t kHeaderFatSlots = 109;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
constexpr std::uint8_t kTypeStorage = 1;
constexpr std::uint8_t kTypeStream = 2;
constexpr std::uint8_t kTypeRoot = 5;
constexpr std::uint8_t kRed = 0;
constexpr std::uint8_t kBlack = 1;

std::size_t sectors_for(std::size_t bytes, std::size_t sector_size) {
  return (bytes + sector_size - 1) / sector_size;
}

void put_u16(Bytes& out, std::size_t offset, std::uint16_t value) {
  out[offset] = static_cast<std::uint8_t>(value);
  out[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void put_u32(Bytes& out, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::u16string to_utf16(std::string_view utf8) {
  std::u16string out;
  const auto* s = reinterpret_cast<const std::uint8_t*>(utf8.data());
  const auto length = static_cast<std::int32_t>(utf8.size());
  for (std::int32_t i = 0; i < length;) {
    UChar32 c = 0;
    U8_NEXT(s, i, length, c);
    if (c < 0) c = 0xFFFD;
    char16_t units[2];
    std::int32_t n = 0;
    U16_APPEND_UNSAFE(units, n, c);
    out.append(units, static_cast<std::size_t>(n));
  }
  if (out.size() > 31) throw std::invalid_argument("compound document names hold 31 characters");
  return out;
}

// Sibling order of the format: shorter names first, then by upper-cased code units.
bool sibling_less(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return a.size() < b.size();
  const auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (upper(a[i]) != upper(b[i])) return upper(a[i]) < upper(b[i]);
  }
  return false;
}

struct Entry {
  std::u16string name;
  std::uint8_t type = 0;
  std::uint8_t color = kBlack;
  std::uint32_t left = kNoEntry;
  std::uint32_t right = kNoEntry;
  std::uint32_t child = kNoEntry;
  std::uint32_t start = kEndOfChain;
  std::uint32_t size = 0;
  const Bytes* data = nullptr;
};

class DirectoryBuilder {
 public:
  explicit DirectoryBuilder(const CfbOptions& options) : options_(options) {
    entries_.push_back(Entry{u"Root Entry", kTypeRoot});
  }

  void add_children(std::uint32_t parent, const std::vector<CfbNode>& children) {
    std::vector<const CfbNode*> placed;
    for (const auto& child : children) placed.push_back(&child);
    if (options_.order == DirectoryOrder::Reversed) std::reverse(placed.begin(), placed.end());
    std::vector<std::uint32_t> ids;
    for (const CfbNode* node : placed) {
      ids.push_back(static_cast<std::uint32_t>(entries_.size()));
      Entry entry{to_utf16(node->name), node->is_storage ? kTypeStorage : kTypeStream};
      if (!node->is_storage) entry.data = &node->data;
      entries_.push_back(std::move(entry));
    }
    std::vector<std::uint32_t> sorted = ids;
    std::stable_sort(sorted.begin(), sorted.end(), [&](std::uint32_t a, std::uint32_t b) {
      return sibling_less(entries_[a].name, entries_[b].name);
    });
    entries_[parent].child =
        options_.degenerate_sibling_tree ? link_chain(sorted) : link_balanced(sorted);
    for (std::size_t i = 0; i < placed.size(); ++i) {
      if (placed[i]->is_storage) add_children(ids[i], placed[i]->children);
    }
  }

  std::vector<Entry>& entries() { return entries_; }

 private:
  std::uint32_t link_chain(const std::vector<std::uint32_t>& sorted) {
    for (std::size_t i = 0; i + 1 < sorted.size(); ++i) entries_[sorted[i]].right = sorted[i + 1];
    return sorted.empty() ? kNoEntry : sorted.front();
  }

  // A tree whose levels are all full but the last; nodes on an incomplete last level are red,
  // which keeps it a valid red-black tree.
  std::uint32_t link_balanced(const std::vector<std::uint32_t>& sorted) {
    std::size_t full_levels = 0;
    while ((std::size_t{2} << full_levels) - 1 <= sorted.size()) ++full_levels;
    return link_range(sorted, 0, sorted.size(), 0, full_levels);
  }

  std::uint32_t link_range(const std::vector<std::uint32_t>& sorted, std::size_t begin,
                           std::size_t end, std::size_t depth, std::size_t full_levels) {
    if (begin >= end) return kNoEntry;
    const std::size_t middle = begin + (end - begin) / 2;
    Entry& entry = entries_[sorted[middle]];
    entry.color = depth >= full_levels ? kRed : kBlack;
    const std::uint32_t left = link_range(sorted, begin, middle, depth + 1, full_levels);
    const std::uint32_t right = link_range(sorted, middle + 1, end, depth + 1, full_levels);
    entries_[sorted[middle]].left = left;
    entries_[sorted[middle]].right = right;
    return sorted[middle];
  }

  const CfbOptions& options_;
  std::vector<Entry> entries_;
};

// Sectors in the order they are laid out, with the chains through them.
class SectorLayout {
 public:
  // Appends a chain of `count` sectors; returns its first sector (kEndOfChain when empty).
  std::uint32_t add_chain(std::size_t count, std::uint32_t mark = 0) {
    if (count == 0) return kEndOfChain;
    const auto first = static_cast<std::uint32_t>(next_.size());
    for (std::size_t i = 0; i < count; ++i) {
      const auto id = static_cast<std::uint32_t>(next_.size());
      next_.push_back(mark != 0 ? mark : (i + 1 == count ? kEndOfChain : id + 1));
    }
    return first;
  }
  std::size_t size() const { return next_.size(); }
  const std::vector<std::uint32_t>& next() const { return next_; }

 private:
  std::vector<std::uint32_t> next_;
};

class DocumentWriter {
 public:
  DocumentWriter(std::vector<Entry>& entries, const CfbOptions& options)
      : entries_(entries), options_(options) {}

  Bytes write() {
    collect_streams();
    place_sectors();
    return serialise();
  }

 private:
  // A chain of consecutive sectors and where its first sector number goes.
  struct Run {
    std::size_t count;
    std::uint32_t* start;
    std::uint32_t mark = 0;
  };

  void collect_streams() {
    for (auto& entry : entries_) {
      if (entry.type != kTypeStream) continue;
      entry.size = static_cast<std::uint32_t>(entry.data->size());
      if (entry.data->size() < kMiniStreamCutoff) {
        entry.start = entry.data->empty() ? kEndOfChain : add_mini_chain(*entry.data);
      } else {
        big_streams_.push_back(&entry);
      }
    }
    entries_[0].size = static_cast<std::uint32_t>(mini_stream_.size());
  }

  std::uint32_t add_mini_chain(const Bytes& data) {
    const auto first = static_cast<std::uint32_t>(mini_fat_.size());
    const std::size_t count = sectors_for(data.size(), kMiniSectorSize);
    for (std::size_t i = 0; i < count; ++i) {
      mini_fat_.push_back(i + 1 == count ? kEndOfChain : first + static_cast<std::uint32_t>(i) + 1);
    }
    mini_stream_.insert(mini_stream_.end(), data.begin(), data.end());
    mini_stream_.resize(mini_fat_.size() * kMiniSectorSize, 0);
    return first;
  }

  // Stream data, mini stream, mini FAT and directory, then FAT and DIFAT; or the other way
  // round when the metadata goes first.
  void place_sectors() {
    std::vector<Run> runs;
    for (Entry* entry : big_streams_) {
      runs.push_back({sectors_for(entry->data->size(), kSectorSize), &entry->start});
    }
    runs.push_back({sectors_for(mini_stream_.size(), kSectorSize), &entries_[0].start});
    runs.push_back({sectors_for(mini_fat_.size() * 4, kSectorSize), &mini_fat_start_});
    runs.push_back({sectors_for(entries_.size() * kEntrySize, kSectorSize), &directory_start_});
    std::size_t data_sectors = 0;
    for (const Run& run : runs) data_sectors += run.count;
    size_fat(data_sectors);
    runs.push_back({fat_count_, &fat_start_, kFatSector});
    runs.push_back({difat_count_, &difat_start_, kDifatSector});
    if (options_.metadata_first) std::reverse(runs.begin(), runs.end());
    for (const Run& run : runs) *run.start = layout_.add_chain(run.count, run.mark);
  }

  // The number of FAT and DIFAT sectors depends on the total, themselves included.
  void size_fat(std::size_t data_sectors) {
    std::size_t fat = 0;
    std::size_t difat = 0;
    for (;;) {
      const std::size_t total = data_sectors + fat + difat;
      const std::size_t need_fat = sectors_for(total, kIdsPerSector);
      const std::size_t need_difat =
          need_fat > kHeaderFatSlots ? sectors_for(need_fat - kHeaderFatSlots, kIdsPerSector - 1)
                                     : 0;
      if (need_fat == fat && need_difat == difat) break;
      fat = need_fat;
      difat = need_difat;
    }
    fat_count_ = fat;
    difat_count_ = difat;
  }

  Bytes serialise() {
    Bytes out(kSectorSize + layout_.size() * kSectorSize, 0);
    write_header(out);
    for (const Entry* entry : big_streams_) copy_chain(out, entry->start, *entry->data);
    if (!mini_stream_.empty()) copy_chain(out, entries_[0].start, mini_stream_);
    write_ids(out, mini_fat_start_, mini_fat_, kFreeSector);
    write_directory(out);
    std::vector<std::uint32_t> fat = layout_.next();
    write_ids(out, fat_start_, fat, kFreeSector);
    write_difat(out);
    return out;
  }

  std::size_t offset_of(std::uint32_t sector) const { return kSectorSize * (sector + 1); }

  void copy_chain(Bytes& out, std::uint32_t start, const Bytes& data) {
    std::copy(data.begin(), data.end(),
              out.begin() + static_cast<std::ptrdiff_t>(offset_of(start)));
  }

  // Writes ids into consecutive sectors from `start`, filling the last sector with `filler`.
  void write_ids(Bytes& out, std::uint32_t start, const std::vector<std::uint32_t>& ids,
                 std::uint32_t filler) {
    if (start == kEndOfChain) return;
    const std::size_t slots = sectors_for(ids.size() * 4, kSectorSize) * kIdsPerSector;
    for (std::size_t i = 0; i < slots; ++i) {
      put_u32(out, offset_of(start) + 4 * i, i < ids.size() ? ids[i] : filler);
    }
  }

  void write_header(Bytes& out) {
    static constexpr std::uint8_t kSignature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::copy(std::begin(kSignature), std::end(kSignature), out.begin());
    put_u16(out, 0x18, 0x003E);
    put_u16(out, 0x1A, 0x0003);
    put_u16(out, 0x1C, 0xFFFE);
    put_u16(out, 0x1E, 9);
    put_u16(out, 0x20, 6);
    put_u32(out, CfbHeaderField::kFatSectorCount, static_cast<std::uint32_t>(fat_count_));
    put_u32(out, CfbHeaderField::kFirstDirectorySector, directory_start_);
    put_u32(out, 0x38, kMiniStreamCutoff);
    put_u32(out, CfbHeaderField::kFirstMiniFatSector, mini_fat_start_);
    put_u32(out, CfbHeaderField::kMiniFatSectorCount,
            static_cast<std::uint32_t>(sectors_for(mini_fat_.size() * 4, kSectorSize)));
    put_u32(out, CfbHeaderField::kFirstDifatSector, difat_start_);
    put_u32(out, CfbHeaderField::kDifatSectorCount, static_cast<std::uint32_t>(difat_count_));
    for (std::size_t i = 0; i < kHeaderFatSlots; ++i) {
      const std::uint32_t id =
          i < fat_count_ ? fat_start_ + static_cast<std::uint32_t>(i) : kFreeSector;
      put_u32(out, CfbHeaderField::kFirstFatSectors + 4 * i, id);
    }
  }

  // Each DIFAT sector holds 127 FAT sector numbers and then the next DIFAT sector.
  void write_difat(Bytes& out) {
    std::size_t fat_index = kHeaderFatSlots;
    for (std::size_t d = 0; d < difat_count_; ++d) {
      const std::size_t base = offset_of(difat_start_ + static_cast<std::uint32_t>(d));
      for (std::size_t i = 0; i + 1 < kIdsPerSector; ++i, ++fat_index) {
        const std::uint32_t id = fat_index < fat_count_
                                     ? fat_start_ + static_cast<std::uint32_t>(fat_index)
                                     : kFreeSector;
        put_u32(out, base + 4 * i, id);
      }
      const bool last = d + 1 == difat_count_;
      put_u32(out, base + 4 * (kIdsPerSector - 1),
              last ? kEndOfChain : difat_start_ + static_cast<std::uint32_t>(d) + 1);
    }
  }

  void write_directory(Bytes& out) {
    const std::size_t slots =
        sectors_for(entries_.size() * kEntrySize, kSectorSize) * kEntriesPerSector;
    for (std::size_t i = 0; i < slots; ++i) {
      const std::size_t base = offset_of(directory_start_) + i * kEntrySize;
      if (i >= entries_.size()) {
        put_u32(out, base + CfbEntryField::kLeftSibling, kNoEntry);
        put_u32(out, base + CfbEntryField::kRightSibling, kNoEntry);
        put_u32(out, base + CfbEntryField::kChild, kNoEntry);
        continue;
      }
      write_entry(out, base, entries_[i]);
    }
  }

  static void write_entry(Bytes& out, std::size_t base, const Entry& entry) {
    for (std::size_t c = 0; c < entry.name.size(); ++c) {
      put_u16(out, base + 2 * c, static_cast<std::uint16_t>(entry.name[c]));
    }
    put_u16(out, base + 0x40, static_cast<std::uint16_t>((entry.name.size() + 1) * 2));
    out[base + 0x42] = entry.type;
    out[base + 0x43] = entry.color;
    put_u32(out, base + CfbEntryField::kLeftSibling, entry.left);
    put_u32(out, base + CfbEntryField::kRightSibling, entry.right);
    put_u32(out, base + CfbEntryField::kChild, entry.child);
    const bool has_data = entry.type != kTypeStorage;
    put_u32(out, base + CfbEntryField::kStartSector, has_data ? entry.start : 0);
    put_u32(out, base + CfbEntryField::kSizeLow, has_data ? entry.size : 0);
  }

  std::vector<Entry>& entries_;
  const CfbOptions& options_;
  SectorLayout layout_;
  std::vector<Entry*> big_streams_;
  Bytes mini_stream_;
  std::vector<std::uint32_t> mini_fat_;
  std::uint32_t mini_fat_start_ = kEndOfChain;
  std::uint32_t directory_start_ = kEndOfChain;
  std::uint32_t fat_start_ = kEndOfChain;
  std::size_t fat_count_ = 0;
  std::uint32_t difat_start_ = kEndOfChain;
  std::size_t difat_count_ = 0;
};

}  // namespace

CfbNode CfbNode::stream(std::string name, Bytes data) {
  return CfbNode{std::move(name), false, std::move(data), {}};
}

CfbNode CfbNode::stream(std::string name, std::string_view text) {
  return stream(std::move(name), Bytes(text.begin(), text.end()));
}

CfbNode CfbNode::storage(std::string name, std::vector<CfbNode> children) {
  return CfbNode{std::move(name), true, {}, std::move(children)};
}

Bytes write_cfb(const std::vector<CfbNode>& root_children, const CfbOptions& options) {
  DirectoryBuilder directory(options);
  directory.add_children(0, root_children);
  return DocumentWriter(directory.entries(), options).write();
}

std::uint32_t CfbEditor::read_u32(std::size_t offset) const {
  if (offset + 4 > document_.size()) throw std::out_of_range("offset beyond the document");
  return static_cast<std::uint32_t>(document_[offset]) |
         static_cast<std::uint32_t>(document_[offset + 1]) << 8 |
         static_cast<std::uint32_t>(document_[offset + 2]) << 16 |
         static_cast<std::uint32_t>(document_[offset + 3]) << 24;
}

void CfbEditor::write_u32(std::size_t offset, std::uint32_t value) {
  if (offset + 4 > document_.size()) throw std::out_of_range("offset beyond the document");
  put_u32(document_, offset, value);
}

std::uint32_t CfbEditor::header_u32(std::size_t offset) const {
  return read_u32(offset);
}

void CfbEditor::set_header_u32(std::size_t offset, std::uint32_t value) {
  write_u32(offset, value);
}

std::size_t CfbEditor::sector_count() const {
  return document_.size() <= kSectorSize ? 0 : (document_.size() - kSectorSize) / kSectorSize;
}

// The writer puts the FAT sectors one after the other, the first one named in the header.
std::size_t CfbEditor::fat_entry_offset(std::uint32_t sector) const {
  const std::uint32_t first_fat = read_u32(CfbHeaderField::kFirstFatSectors);
  return sector_offset(first_fat) + 4 * std::size_t{sector};
}

std::uint32_t CfbEditor::fat_entry(std::uint32_t sector) const {
  return read_u32(fat_entry_offset(sector));
}

void CfbEditor::set_fat_entry(std::uint32_t sector, std::uint32_t next) {
  write_u32(fat_entry_offset(sector), next);
}

std::size_t CfbEditor::entry_offset(std::uint32_t entry) const {
  const std::uint32_t first = read_u32(CfbHeaderField::kFirstDirectorySector);
  return sector_offset(first) + kEntrySize * std::size_t{entry};
}

std::uint32_t CfbEditor::find_entry(std::string_view name) const {
  for (std::uint32_t entry = 0;; ++entry) {
    const std::size_t base = entry_offset(entry);
    // The writer's entries are contiguous and followed by unused ones (type 0).
    if (base + kEntrySize > document_.size() || document_[base + 0x42] == 0) return kNoEntry;
    const std::size_t name_bytes = document_[base + 0x40] | document_[base + 0x41] << 8;
    if (name_bytes != (name.size() + 1) * 2) continue;
    bool same = true;
    for (std::size_t c = 0; c < name.size() && same; ++c) {
      same = document_[base + 2 * c] == static_cast<std::uint8_t>(name[c]) &&
             document_[base + 2 * c + 1] == 0;
    }
    if (same) return entry;
  }
}

std::uint32_t CfbEditor::entry_u32(std::uint32_t entry, std::size_t field) const {
  return read_u32(entry_offset(entry) + field);
}

void CfbEditor::set_entry_u32(std::uint32_t entry, std::size_t field, std::uint32_t value) {
  write_u32(entry_offset(entry) + field, value);
}

}  // namespace tessan::testing
