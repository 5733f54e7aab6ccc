// Opening compound documents, listing the root's storages and reading streams.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "altium_container/container.hpp"
#include "support/cfb_writer.hpp"

namespace {

using tessan::testing::Bytes;
using tessan::testing::CfbNode;
using tessan::testing::CfbOptions;
using tessan::testing::DirectoryOrder;
using tessan::testing::write_cfb;

const Bytes kSignature = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

Bytes pattern(std::size_t size, std::uint8_t seed) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
  return bytes;
}

CfbNode element(std::string name, Bytes data) {
  return CfbNode::storage(std::move(name), {CfbNode::stream("Data", std::move(data))});
}

// Moves the bytes in: a container opened on a view of 1 MiB or more only borrows it.
altium::Container open_ok(Bytes bytes) {
  auto container = altium::open_altium_container(std::move(bytes));
  if (!container.ok()) ADD_FAILURE() << container.error().message();
  return std::move(container).value();
}

std::vector<std::string> child_names(const altium::Container& container) {
  std::vector<std::string> names;
  for (const auto& child : altium::list_root_children(container)) names.push_back(child.name);
  return names;
}

TEST(OpenAltiumContainer, RefusesShortBuffersAndWrongSignatures) {
  const std::vector<Bytes> refused = {
      {},
      Bytes(kSignature.begin(), kSignature.begin() + 7),
      {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE0},
      Bytes(4096, 0),
  };
  for (const auto& bytes : refused) {
    const auto result = altium::open_altium_container(bytes);
    ASSERT_FALSE(result.ok()) << bytes.size();
    EXPECT_EQ(result.error().message(), "not an OLE2 compound document (bad magic)");
  }
}

TEST(OpenAltiumContainer, SignatureAlonePassesTheTestAndTheReaderDecides) {
  const auto result = altium::open_altium_container(kSignature);
  ASSERT_FALSE(result.ok());
  EXPECT_TRUE(result.error().message().starts_with("open OLE2: ")) << result.error().message();
  EXPECT_GT(result.error().message().size(), std::string("open OLE2: ").size());
}

TEST(OpenAltiumContainer, OpensShortAndLongDocuments) {
  for (const std::size_t size : {100u, 5000u, 1300000u}) {
    const Bytes document = write_cfb({element("A", pattern(size, 3))});
    const auto container = open_ok(document);
    const auto data = altium::read_data_stream(container, "A");
    ASSERT_TRUE(data.ok()) << size << ": " << data.error_text;
    EXPECT_EQ(data.bytes, pattern(size, 3));
  }
}

TEST(OpenAltiumContainer, KeepsATemporaryBufferItWasHanded) {
  auto container = altium::open_altium_container(write_cfb({element("A", pattern(1300000, 5))}));
  ASSERT_TRUE(container.ok()) << container.error().message();
  const Bytes other(1 << 21, 0x5A);  // reuses freed memory, were the buffer dropped
  const auto data = altium::read_data_stream(*container, "A");
  ASSERT_TRUE(data.ok()) << data.error_text;
  EXPECT_EQ(data.bytes, pattern(1300000, 5));
  EXPECT_EQ(other[0], 0x5A);
}

TEST(OpenAltiumContainer, MovedContainerStaysUsable) {
  const Bytes document = write_cfb({element("A", pattern(10, 1))});
  auto first = open_ok(document);
  altium::Container second = std::move(first);
  first = std::move(second);
  EXPECT_TRUE(altium::read_data_stream(first, "A").ok());
}

TEST(ListLibraryStorages, SkipsStreamsAndLibraryBookkeeping) {
  const Bytes document = write_cfb({
      CfbNode::storage("Library", {CfbNode::stream("Data", Bytes(8, 0))}),
      CfbNode::storage("FileVersionInfo", {CfbNode::stream("Data", Bytes(4, 0))}),
      CfbNode::stream("FileHeader", std::string_view("|KIND=x")),
      element("TSSOP14", {1}),
      element("SOIC8", {2}),
  });
  const auto container = open_ok(document);
  EXPECT_EQ(altium::list_library_storages(container),
            (std::vector<std::string>{"SOIC8", "TSSOP14"}));
  EXPECT_EQ(child_names(container), (std::vector<std::string>{"SOIC8", "Library", "TSSOP14",
                                                              "FileHeader", "FileVersionInfo"}));
  const auto children = altium::list_root_children(container);
  EXPECT_FALSE(children[3].is_storage);
  EXPECT_TRUE(children[4].is_storage);
}

TEST(ListLibraryStorages, SkipsNamesStartingWithU0001) {
  const Bytes document =
      write_cfb({element("\x01"
                         "CompObj",
                         {1}),
                 element("QFN", {1}), element("library", {1}), element("FileVersionInfo2", {1})});
  const auto container = open_ok(document);
  EXPECT_EQ(altium::list_library_storages(container),
            (std::vector<std::string>{"QFN", "library", "FileVersionInfo2"}));
}

// Whatever order the entries have in the directory array, the listing follows the sibling
// tree: shorter names first, then by upper-cased name.
TEST(ListLibraryStorages, FollowsTheSiblingTreeNotTheArray) {
  const std::vector<CfbNode> children = {element("zeta", {1}),    element("Alpha", {1}),
                                         element("b", {1}),       element("QFN-16", {1}),
                                         element("alpha2", {1}),  element("Beta", {1}),
                                         element("SOT23-5", {1}), element("c", {1})};
  const std::vector<std::string> expected = {"b",     "c",      "Beta",   "zeta",
                                             "Alpha", "alpha2", "QFN-16", "SOT23-5"};
  for (const auto order : {DirectoryOrder::Given, DirectoryOrder::Reversed}) {
    for (const bool degenerate : {false, true}) {
      const Bytes document = write_cfb(children, CfbOptions{order, degenerate});
      const auto container = open_ok(document);
      EXPECT_EQ(altium::list_library_storages(container), expected) << degenerate;
    }
  }
}

TEST(ReadDataStream, ReadsMiniAndRegularStreamsWhole) {
  const std::vector<std::size_t> sizes = {0, 1, 63, 64, 65, 4095, 4096, 4097, 70000};
  std::vector<CfbNode> children;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    children.push_back(
        element("S" + std::to_string(i), pattern(sizes[i], static_cast<std::uint8_t>(i))));
  }
  const Bytes document = write_cfb(children);
  const auto container = open_ok(document);
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const auto data = altium::read_data_stream(container, "S" + std::to_string(i));
    ASSERT_TRUE(data.ok()) << sizes[i] << ": " << data.error_text;
    EXPECT_EQ(data.bytes, pattern(sizes[i], static_cast<std::uint8_t>(i))) << sizes[i];
  }
}

TEST(ReadDataStream, CannotOpenWhatIsMissingOrNotAStream) {
  const Bytes document = write_cfb({
      element("A", {1}),
      CfbNode::storage("NoData", {CfbNode::stream("Header", Bytes{1})}),
      CfbNode::storage("DataDir", {CfbNode::storage("Data", {CfbNode::stream("x", Bytes{1})})}),
      CfbNode::stream("Plain", Bytes{1}),
  });
  const auto container = open_ok(document);
  for (const char* storage : {"Missing", "NoData", "DataDir", "Plain", "a", ""}) {
    const auto data = altium::read_data_stream(container, storage);
    EXPECT_EQ(data.failure, altium::StreamFailure::CannotOpen) << storage;
    EXPECT_FALSE(data.error_text.empty()) << storage;
    EXPECT_TRUE(data.bytes.empty());
  }
}

TEST(ReadStream, FollowsAbsolutePaths) {
  const Bytes document = write_cfb({
      CfbNode::storage("Outer",
                       {CfbNode::storage("Inner", {CfbNode::stream("Leaf", Bytes{7, 8})})}),
      CfbNode::stream("Top", Bytes{9}),
  });
  const auto container = open_ok(document);
  EXPECT_EQ(altium::read_stream(container, "/Outer/Inner/Leaf").bytes, (Bytes{7, 8}));
  EXPECT_EQ(altium::read_stream(container, "/Top").bytes, (Bytes{9}));
  EXPECT_EQ(altium::read_stream(container, "/Outer/Inner").failure,
            altium::StreamFailure::CannotOpen);
  EXPECT_EQ(altium::read_stream(container, "/Top/Leaf").failure, altium::StreamFailure::CannotOpen);
  EXPECT_EQ(altium::read_stream(container, "/").failure, altium::StreamFailure::CannotOpen);
}

}  // namespace
