// Damaged and hostile compound documents: each gives an error or an emptier result, never a
// crash, a hang or an unbounded allocation.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "altium_container/container.hpp"
#include "compound_file_check.hpp"
#include "support/cfb_writer.hpp"

namespace {

using altium::StreamFailure;
using tessan::testing::Bytes;
using tessan::testing::CfbEditor;
using tessan::testing::CfbEntryField;
using tessan::testing::CfbHeaderField;
using tessan::testing::CfbNode;
using tessan::testing::CfbOptions;
using tessan::testing::kEndOfChain;
using tessan::testing::kNoEntry;
using tessan::testing::write_cfb;

constexpr std::size_t kBigSize = 20000;
constexpr std::size_t kSmallSize = 300;

Bytes pattern(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 13 + 1);
  return bytes;
}

CfbNode element(std::string name, std::size_t size) {
  return CfbNode::storage(std::move(name), {CfbNode::stream("Data", pattern(size))});
}

std::vector<CfbNode> sample_library() {
  return {CfbNode::storage("Library", {CfbNode::stream("Data", Bytes(8, 0))}),
          CfbNode::stream("FileHeader", pattern(100)), element("BIG", kBigSize),
          element("SMALL", kSmallSize), element("MEDIUM", 3000)};
}

Bytes sample_document(bool metadata_first = false) {
  CfbOptions options;
  options.metadata_first = metadata_first;
  return write_cfb(sample_library(), options);
}

// What a reader gets out of a document: the open error, or each storage's "Data" stream.
struct Outcome {
  std::optional<std::string> open_error;
  std::vector<std::string> children;
  std::map<std::string, altium::StreamData> data;
};

Outcome read_everything(const Bytes& document) {
  Outcome outcome;
  auto container = altium::open_altium_container(document);
  if (!container.ok()) {
    outcome.open_error = container.error().message();
    return outcome;
  }
  for (const auto& child : altium::list_root_children(*container)) {
    outcome.children.push_back(child.name);
    if (child.is_storage) {
      outcome.data[child.name] = altium::read_data_stream(*container, child.name);
      (void)altium::embedded_libraries(*container, child.name);
    } else {
      (void)altium::read_stream(*container, "/" + child.name);
    }
  }
  (void)altium::list_library_storages(*container);
  return outcome;
}

void expect_sound(const Outcome& outcome, const std::string& label) {
  if (outcome.open_error) {
    const auto& message = *outcome.open_error;
    EXPECT_TRUE(message.starts_with("open OLE2: ") ||
                message == "not an OLE2 compound document (bad magic)")
        << label << ": " << message;
  }
  for (const auto& [name, data] : outcome.data) {
    if (data.ok()) continue;
    EXPECT_FALSE(data.error_text.empty()) << label << " " << name;
    EXPECT_TRUE(data.bytes.empty()) << label << " " << name;
  }
}

bool reads(const Outcome& outcome, const std::string& storage, std::size_t size) {
  const auto found = outcome.data.find(storage);
  return found != outcome.data.end() && found->second.ok() && found->second.bytes == pattern(size);
}

std::optional<StreamFailure> failure_of(const Outcome& outcome, const std::string& storage) {
  const auto found = outcome.data.find(storage);
  if (found == outcome.data.end()) return std::nullopt;
  return found->second.failure;
}

TEST(HostileDocuments, UntouchedSampleReadsWhole) {
  for (const bool metadata_first : {false, true}) {
    const auto outcome = read_everything(sample_document(metadata_first));
    ASSERT_FALSE(outcome.open_error) << *outcome.open_error;
    EXPECT_TRUE(reads(outcome, "BIG", kBigSize));
    EXPECT_TRUE(reads(outcome, "SMALL", kSmallSize));
    EXPECT_TRUE(reads(outcome, "MEDIUM", 3000));
  }
}

// Short documents are padded, so what a truncation cut off reads as 0xFF bytes or not at all.
TEST(HostileDocuments, TruncationAtEverySectorOfAShortDocument) {
  for (const bool metadata_first : {false, true}) {
    const Bytes whole = sample_document(metadata_first);
    for (std::size_t cut = 0; cut < whole.size(); cut += 256) {
      const Bytes truncated(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
      expect_sound(read_everything(truncated), "cut at " + std::to_string(cut));
    }
  }
}

// Past 1 MiB nothing is padded: a stream whose sectors were cut off cannot be read.
TEST(HostileDocuments, TruncationAtEverySectorOfALongDocument) {
  CfbOptions options;
  options.metadata_first = true;
  const Bytes whole = write_cfb({element("A", 1100000), element("B", kSmallSize)}, options);
  for (std::size_t cut = 1024 * 1024; cut < whole.size(); cut += 512) {
    const Bytes truncated(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
    const auto outcome = read_everything(truncated);
    expect_sound(outcome, "cut at " + std::to_string(cut));
    ASSERT_FALSE(outcome.open_error) << cut;
    EXPECT_NE(failure_of(outcome, "A").value_or(StreamFailure::None), StreamFailure::None) << cut;
    EXPECT_TRUE(reads(outcome, "B", kSmallSize)) << cut;
  }
}

std::uint32_t entry_of_size(CfbEditor& editor, std::uint32_t size) {
  for (std::uint32_t id = 0;; ++id) {
    if (editor.entry_u32(id, CfbEntryField::kSizeLow) == size) return id;
  }
}

struct Damage {
  std::string label;
  std::function<void(CfbEditor&)> apply;
  std::function<void(const Outcome&)> check;
};

void big_unreadable(const Outcome& outcome) {
  EXPECT_FALSE(outcome.open_error);
  EXPECT_NE(failure_of(outcome, "BIG"), StreamFailure::None);
  EXPECT_TRUE(reads(outcome, "MEDIUM", 3000));
}

void small_unreadable(const Outcome& outcome) {
  EXPECT_FALSE(outcome.open_error);
  EXPECT_NE(failure_of(outcome, "SMALL"), StreamFailure::None);
  EXPECT_TRUE(reads(outcome, "BIG", kBigSize));
}

void refused(const Outcome& outcome) {
  EXPECT_TRUE(outcome.open_error);
}

void nothing_listed_or_refused(const Outcome& outcome) {
  EXPECT_TRUE(outcome.open_error || outcome.children.empty());
}

void anything_sound(const Outcome&) {}

std::uint32_t big_start(CfbEditor& e) {
  return e.entry_u32(entry_of_size(e, kBigSize), CfbEntryField::kStartSector);
}

std::vector<Damage> damages() {
  return {
      {"big chain loops to its start",
       [](CfbEditor& e) { e.set_fat_entry(big_start(e) + 20, big_start(e)); }, big_unreadable},
      {"big chain points at itself",
       [](CfbEditor& e) { e.set_fat_entry(big_start(e), big_start(e)); }, big_unreadable},
      {"big chain leaves the document",
       [](CfbEditor& e) { e.set_fat_entry(big_start(e) + 5, 0x7FFFFFF0); }, anything_sound},
      {"big start beyond the document",
       [](CfbEditor& e) {
         e.set_entry_u32(entry_of_size(e, kBigSize), CfbEntryField::kStartSector, 0x7FFFFFF0);
       },
       big_unreadable},
      {"big size near 2^32",
       [](CfbEditor& e) {
         e.set_entry_u32(entry_of_size(e, kBigSize), CfbEntryField::kSizeLow, 0xFFFFFFF0);
       },
       big_unreadable},
      {"big size beyond its chain",
       [](CfbEditor& e) {
         e.set_entry_u32(entry_of_size(e, kBigSize), CfbEntryField::kSizeLow, 2 * kBigSize);
       },
       big_unreadable},
      {"small size near 2^32",
       [](CfbEditor& e) {
         e.set_entry_u32(entry_of_size(e, kSmallSize), CfbEntryField::kSizeLow, 0xFFFFFF00);
       },
       small_unreadable},
      {"small size beyond its chain",
       [](CfbEditor& e) {
         e.set_entry_u32(entry_of_size(e, kSmallSize), CfbEntryField::kSizeLow, 4000);
       },
       small_unreadable},
      {"small start beyond the mini stream",
       [](CfbEditor& e) {
         e.set_entry_u32(entry_of_size(e, kSmallSize), CfbEntryField::kStartSector, 0x7FFFFFF0);
       },
       small_unreadable},
      {"mini stream size near 2^32",
       [](CfbEditor& e) { e.set_entry_u32(0, CfbEntryField::kSizeLow, 0xFFFFFFF0); },
       anything_sound},
      {"mini stream chain points at itself",
       [](CfbEditor& e) {
         const auto s = e.entry_u32(0, CfbEntryField::kStartSector);
         e.set_fat_entry(s, s);
       },
       anything_sound},
      {"mini stream starts beyond the document",
       [](CfbEditor& e) { e.set_entry_u32(0, CfbEntryField::kStartSector, 0x7FFFFFF0); },
       anything_sound},
      {"mini FAT starts beyond the document",
       [](CfbEditor& e) { e.set_header_u32(CfbHeaderField::kFirstMiniFatSector, 0x7FFFFFF0); },
       anything_sound},
      {"mini FAT sector count near 2^32",
       [](CfbEditor& e) { e.set_header_u32(CfbHeaderField::kMiniFatSectorCount, 0xFFFFFFFF); },
       anything_sound},
      {"directory chain points at itself",
       [](CfbEditor& e) {
         const auto s = e.header_u32(CfbHeaderField::kFirstDirectorySector);
         e.set_fat_entry(s, s);
       },
       anything_sound},
      {"directory starts beyond the document",
       [](CfbEditor& e) { e.set_header_u32(CfbHeaderField::kFirstDirectorySector, 0x7FFFFFF0); },
       refused},
      {"directory starts at end of chain",
       [](CfbEditor& e) { e.set_header_u32(CfbHeaderField::kFirstDirectorySector, kEndOfChain); },
       refused},
      {"FAT sector count near 2^32",
       [](CfbEditor& e) { e.set_header_u32(CfbHeaderField::kFatSectorCount, 0xFFFFFFFF); },
       refused},
      {"FAT and DIFAT counts near 2^32",
       [](CfbEditor& e) {
         e.set_header_u32(CfbHeaderField::kFatSectorCount, 0xFFFFFFF0);
         e.set_header_u32(CfbHeaderField::kDifatSectorCount, 0xFFFFFFF0);
         e.set_header_u32(CfbHeaderField::kFirstDifatSector, 1);
       },
       refused},
      {"FAT sector beyond the document",
       [](CfbEditor& e) { e.set_header_u32(CfbHeaderField::kFirstFatSectors, 0x7FFFFFF0); },
       refused},
      {"root's child is the root",
       [](CfbEditor& e) { e.set_entry_u32(0, CfbEntryField::kChild, 0); },
       nothing_listed_or_refused},
      {"root's child beyond the directory",
       [](CfbEditor& e) { e.set_entry_u32(0, CfbEntryField::kChild, 0x7FFFFFF0); },
       nothing_listed_or_refused},
      {"entry is its own sibling",
       [](CfbEditor& e) {
         const auto c = e.entry_u32(0, CfbEntryField::kChild);
         e.set_entry_u32(c, CfbEntryField::kLeftSibling, c);
         e.set_entry_u32(c, CfbEntryField::kRightSibling, c);
       },
       anything_sound},
      {"storage is its own child",
       [](CfbEditor& e) {
         const auto c = e.find_entry("BIG");
         e.set_entry_u32(c, CfbEntryField::kChild, c);
       },
       [](const Outcome& o) { EXPECT_EQ(failure_of(o, "BIG"), StreamFailure::CannotOpen); }},
      {"storage's child is the root",
       [](CfbEditor& e) { e.set_entry_u32(e.find_entry("BIG"), CfbEntryField::kChild, 0); },
       [](const Outcome& o) { EXPECT_EQ(failure_of(o, "BIG"), StreamFailure::CannotOpen); }},
      {"siblings point at each other",
       [](CfbEditor& e) {
         const auto c = e.entry_u32(0, CfbEntryField::kChild);
         const auto l = e.entry_u32(c, CfbEntryField::kLeftSibling);
         e.set_entry_u32(l, CfbEntryField::kRightSibling, c);
       },
       anything_sound},
      {"sibling beyond the directory",
       [](CfbEditor& e) {
         const auto c = e.entry_u32(0, CfbEntryField::kChild);
         e.set_entry_u32(c, CfbEntryField::kLeftSibling, 0x7FFFFFF0);
       },
       anything_sound},
  };
}

TEST(HostileDocuments, DamagedStructuresGiveErrorsOrLess) {
  for (const auto& damage : damages()) {
    Bytes document = sample_document();
    CfbEditor editor(document);
    damage.apply(editor);
    const auto outcome = read_everything(document);
    SCOPED_TRACE(damage.label);
    expect_sound(outcome, damage.label);
    damage.check(outcome);
  }
}

// A DIFAT chain only exists past 109 FAT sectors, that is past about 7 MB.
TEST(HostileDocuments, DifatChainPointingAtItself) {
  Bytes document = write_cfb({element("HUGE", 7400000), element("SMALL", kSmallSize)});
  CfbEditor editor(document);
  const auto difat = editor.header_u32(CfbHeaderField::kFirstDifatSector);
  ASSERT_NE(difat, kEndOfChain);
  EXPECT_TRUE(reads(read_everything(document), "HUGE", 7400000));
  const std::size_t next_slot = editor.sector_offset(difat) + 508;
  for (int i = 0; i < 4; ++i) document[next_slot + i] = static_cast<std::uint8_t>(difat >> (8 * i));
  editor.set_header_u32(CfbHeaderField::kDifatSectorCount, 0x10000);
  expect_sound(read_everything(document), "DIFAT loop");
}

// Turns the root's chain of siblings into storages nested `depth` deep.
Bytes nested_storages(std::size_t depth) {
  std::vector<CfbNode> chain;
  for (std::size_t i = 0; i < depth; ++i)
    chain.push_back(CfbNode::storage("s" + std::to_string(i), {}));
  CfbOptions options;
  options.degenerate_sibling_tree = true;
  Bytes document = write_cfb(chain, options);
  CfbEditor editor(document);
  for (std::uint32_t id = editor.entry_u32(0, CfbEntryField::kChild); id != kNoEntry;) {
    const std::uint32_t next = editor.entry_u32(id, CfbEntryField::kRightSibling);
    editor.set_entry_u32(id, CfbEntryField::kRightSibling, kNoEntry);
    editor.set_entry_u32(id, CfbEntryField::kChild, next);
    id = next;
  }
  return document;
}

TEST(HostileDocuments, DeeplyNestedDirectoryIsRefusedBeforeItExhaustsTheStack) {
  const auto deep = altium::open_altium_container(nested_storages(100000));
  ASSERT_FALSE(deep.ok());
  EXPECT_EQ(deep.error().message(), "open OLE2: directory tree nested too deeply");

  const auto moderate = altium::open_altium_container(nested_storages(2000));
  ASSERT_TRUE(moderate.ok()) << moderate.error().message();
  EXPECT_EQ(altium::list_library_storages(*moderate), (std::vector<std::string>{"s0"}));
}

TEST(HostileDocuments, StorageWithTooManyEntriesIsRefused) {
  std::vector<CfbNode> streams;
  for (std::size_t i = 0; i <= altium::kMaxStorageEntries; ++i) {
    streams.push_back(CfbNode::stream("s" + std::to_string(i), Bytes{1}));
  }
  const auto crowded = altium::open_altium_container(write_cfb(streams));
  ASSERT_FALSE(crowded.ok());
  EXPECT_EQ(crowded.error().message(), "open OLE2: too many entries in one storage");
}

// libgsf takes sector shifts 7 to 12, but walks the directory of any of them by recursion, and
// no library uses other than 512 or 4096-byte sectors: the others are refused before libgsf
// sees the document, as crowded as its root may be.
TEST(HostileDocuments, SectorSizesOtherThan512And4096AreRefused) {
  std::vector<CfbNode> streams;
  for (std::size_t i = 0; i < 3000; ++i)
    streams.push_back(CfbNode::stream("s" + std::to_string(i), Bytes{1}));
  const Bytes crowded = write_cfb(streams);
  for (const std::uint16_t shift : {0, 7, 8, 10, 11, 13, 0xFFFF}) {
    Bytes document = crowded;
    document[0x1E] = static_cast<std::uint8_t>(shift);
    document[0x1F] = static_cast<std::uint8_t>(shift >> 8);
    const auto opened = altium::open_altium_container(document);
    ASSERT_FALSE(opened.ok()) << shift;
    EXPECT_EQ(opened.error().message(), "open OLE2: unsupported sector size") << shift;
  }
  ASSERT_TRUE(altium::open_altium_container(crowded).ok());
}

// libgsf keeps each storage's children in a sorted list, so its work grows with the square of
// the entries per storage: many storages that each stay under the bound still add up.
TEST(HostileDocuments, ManyCrowdedStoragesAreRefused) {
  const std::size_t per_storage = altium::kMaxStorageEntries * 6 / 10;
  std::vector<CfbNode> storages;
  for (int s = 0; s < 3; ++s) {
    std::vector<CfbNode> streams;
    for (std::size_t i = 0; i < per_storage; ++i)
      streams.push_back(CfbNode::stream("s" + std::to_string(i), Bytes{1}));
    storages.push_back(CfbNode::storage("S" + std::to_string(s), std::move(streams)));
  }
  const auto crowded = altium::open_altium_container(write_cfb(storages));
  ASSERT_FALSE(crowded.ok());
  EXPECT_EQ(crowded.error().message(), "open OLE2: too many directory entries");
}

}  // namespace
