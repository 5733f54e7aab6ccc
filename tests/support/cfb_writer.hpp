// A small writer of compound documents (Microsoft Compound File Binary, version 3: 512-byte
// sectors, mini stream for streams under 4096 bytes) for building library files in tests, and an
// editor that damages written documents on purpose.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessan::testing {

using Bytes = std::vector<std::uint8_t>;

// One entry of the document: a stream with its bytes, or a storage with its children.
struct CfbNode {
  std::string name;  // UTF-8, at most 31 UTF-16 code units
  bool is_storage = false;
  Bytes data;
  std::vector<CfbNode> children;

  static CfbNode stream(std::string name, Bytes data);
  static CfbNode stream(std::string name, std::string_view text);
  static CfbNode storage(std::string name, std::vector<CfbNode> children);
};

// Where the entries of each storage go in the directory array.
enum class DirectoryOrder {
  Given,     // as listed in the description (the sibling tree still follows name order)
  Reversed,  // against the description
};

struct CfbOptions {
  DirectoryOrder order = DirectoryOrder::Given;
  // Siblings as one chain of right links instead of a balanced tree.
  bool degenerate_sibling_tree = false;
  // FAT, directory and mini FAT before the stream data (else after it), so that a truncation
  // cuts the data rather than the directory.
  bool metadata_first = false;
};

// The whole document holding `root_children` under the root storage.
Bytes write_cfb(const std::vector<CfbNode>& root_children, const CfbOptions& options = {});

// Special sector numbers.
inline constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
inline constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
inline constexpr std::uint32_t kNoEntry = 0xFFFFFFFF;

// Directory entry fields, as byte offsets within an entry.
struct CfbEntryField {
  static constexpr std::size_t kLeftSibling = 0x44;
  static constexpr std::size_t kRightSibling = 0x48;
  static constexpr std::size_t kChild = 0x4C;
  static constexpr std::size_t kStartSector = 0x74;
  static constexpr std::size_t kSizeLow = 0x78;
  static constexpr std::size_t kSizeHigh = 0x7C;
};

// Header fields, as byte offsets.
struct CfbHeaderField {
  static constexpr std::size_t kFatSectorCount = 0x2C;
  static constexpr std::size_t kFirstDirectorySector = 0x30;
  static constexpr std::size_t kFirstMiniFatSector = 0x3C;
  static constexpr std::size_t kMiniFatSectorCount = 0x40;
  static constexpr std::size_t kFirstDifatSector = 0x44;
  static constexpr std::size_t kDifatSectorCount = 0x48;
  static constexpr std::size_t kFirstFatSectors = 0x4C;
};

// Reads and changes the structures of a document written by write_cfb (well-formed enough to
// locate them), to build damaged documents.
class CfbEditor {
 public:
  explicit CfbEditor(Bytes& document) : document_(document) {}

  std::uint32_t header_u32(std::size_t offset) const;
  void set_header_u32(std::size_t offset, std::uint32_t value);

  std::size_t sector_count() const;
  std::size_t sector_offset(std::uint32_t sector) const { return 512 + std::size_t{sector} * 512; }

  std::uint32_t fat_entry(std::uint32_t sector) const;
  void set_fat_entry(std::uint32_t sector, std::uint32_t next);

  // Directory entries in array order; the index of the entry named `name` (UTF-8, ASCII names
  // only), or kNoEntry.
  std::uint32_t find_entry(std::string_view name) const;
  std::uint32_t entry_u32(std::uint32_t entry, std::size_t field) const;
  void set_entry_u32(std::uint32_t entry, std::size_t field, std::uint32_t value);

 private:
  std::size_t fat_entry_offset(std::uint32_t sector) const;
  std::size_t entry_offset(std::uint32_t entry) const;
  std::uint32_t read_u32(std::size_t offset) const;
  void write_u32(std::size_t offset, std::uint32_t value);

  Bytes& document_;
};

}  // namespace tessan::testing
