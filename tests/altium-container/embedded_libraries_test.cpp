// Libraries embedded in integrated libraries (.IntLib), and the bounded inflation they use.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "altium_container/bounded_inflate.hpp"
#include "altium_container/container.hpp"
#include "support/altium_builders.hpp"

namespace {

using tessan::testing::Bytes;
using tessan::testing::CfbNode;
using tessan::testing::intlib_file;
using tessan::testing::intlib_stream;
using tessan::testing::pcb_data_stream;
using tessan::testing::pcblib_file;
using tessan::testing::PcbPad;
using tessan::testing::sch_component_stream;
using tessan::testing::schlib_file;
using tessan::testing::SchPin;
using tessan::testing::write_cfb;

Bytes footprint_library(const std::string& name, int pads) {
  std::vector<PcbPad> pad_list;
  for (int i = 1; i <= pads; ++i) pad_list.push_back(PcbPad{std::to_string(i)});
  return pcblib_file({{name, pcb_data_stream(name, pad_list)}});
}

Bytes symbol_library(const std::string& name) {
  return schlib_file({{name, sch_component_stream({SchPin{.name = "VCC", .designator = "1"},
                                                   SchPin{.name = "GND", .designator = "2"}})}});
}

// Moves the bytes in: a container opened on a view of 1 MiB or more only borrows it.
altium::Container open_ok(Bytes bytes) {
  auto container = altium::open_altium_container(std::move(bytes));
  if (!container.ok()) ADD_FAILURE() << container.error().message();
  return std::move(container).value();
}

// zlib data inflating to `size` zero bytes, made without holding them all.
Bytes zeros_compressed(std::size_t size) {
  z_stream z{};
  EXPECT_EQ(deflateInit(&z, Z_BEST_SPEED), Z_OK);
  const Bytes chunk(1 << 20, 0);
  Bytes out;
  Bytes buffer(1 << 16);
  std::size_t left = size;
  int flush = Z_NO_FLUSH;
  do {
    const std::size_t take = std::min(left, chunk.size());
    left -= take;
    flush = left == 0 ? Z_FINISH : Z_NO_FLUSH;
    z.next_in = const_cast<Bytef*>(chunk.data());
    z.avail_in = static_cast<uInt>(take);
    do {
      z.next_out = buffer.data();
      z.avail_out = static_cast<uInt>(buffer.size());
      deflate(&z, flush);
      out.insert(out.end(), buffer.begin(), buffer.end() - z.avail_out);
    } while (z.avail_out == 0);
  } while (flush != Z_FINISH);
  deflateEnd(&z);
  return out;
}

TEST(EmbeddedLibraries, InflatesCompressedAndCopiesStoredLibrariesInStreamOrder) {
  const Bytes first = footprint_library("SOIC8", 8);
  const Bytes second = footprint_library("TSSOP14", 14);
  const Bytes symbols = symbol_library("LM358");
  const Bytes intlib = intlib_file({intlib_stream(first, true), intlib_stream(second, false)},
                                   {intlib_stream(symbols, true)});
  const auto container = open_ok(intlib);

  const auto footprints = altium::embedded_libraries(container, "PCBLib");
  ASSERT_TRUE(footprints.has_value());
  ASSERT_EQ(footprints->size(), 2u);
  ASSERT_TRUE((*footprints)[0].ok()) << (*footprints)[0].error().message();
  ASSERT_TRUE((*footprints)[1].ok()) << (*footprints)[1].error().message();
  EXPECT_EQ(*(*footprints)[0], first);
  EXPECT_EQ(*(*footprints)[1], second);

  const auto components = altium::embedded_libraries(container, "SchLib");
  ASSERT_TRUE(components.has_value());
  ASSERT_EQ(components->size(), 1u);
  ASSERT_TRUE((*components)[0].ok());
  const auto embedded = open_ok(*(*components)[0]);
  EXPECT_EQ(altium::list_library_storages(embedded), (std::vector<std::string>{"LM358"}));
}

TEST(EmbeddedLibraries, StreamOrderPutsShorterNamesFirst) {
  std::vector<Bytes> streams;
  for (int i = 0; i < 12; ++i)
    streams.push_back(intlib_stream(Bytes{static_cast<std::uint8_t>(i)}, false));
  const auto container = open_ok(intlib_file(streams, {}));
  const auto libraries = altium::embedded_libraries(container, "PCBLib");
  ASSERT_TRUE(libraries.has_value());
  ASSERT_EQ(libraries->size(), 12u);
  for (std::size_t i = 0; i < libraries->size(); ++i) {
    ASSERT_TRUE((*libraries)[i].ok());
    EXPECT_EQ(*(*libraries)[i], (Bytes{static_cast<std::uint8_t>(i)})) << i;
  }
}

TEST(EmbeddedLibraries, BadStreamsBecomeErrorEntriesBesideGoodOnes) {
  const Bytes good = footprint_library("SOIC8", 8);
  Bytes truncated = intlib_stream(good, true);
  truncated.resize(truncated.size() / 2);
  const std::vector<Bytes> streams = {intlib_stream(good, true), Bytes{}, Bytes{1, 2, 3},
                                      Bytes{2, 'n', 'o', 't', 'z'}, truncated};
  const auto container = open_ok(intlib_file(streams, {}));
  const auto libraries = altium::embedded_libraries(container, "PCBLib");
  ASSERT_TRUE(libraries.has_value());
  ASSERT_EQ(libraries->size(), 5u);
  EXPECT_TRUE((*libraries)[0].ok());
  EXPECT_EQ((*libraries)[1].error().message(), "empty embedded library stream");
  EXPECT_EQ((*libraries)[2].error().message(), "unknown embedded library tag 1");
  EXPECT_FALSE((*libraries)[3].ok());
  EXPECT_EQ((*libraries)[4].error().message(), "truncated zlib data");
}

TEST(EmbeddedLibraries, ZlibBombIsRefused) {
  Bytes bomb = {2};
  const Bytes compressed = zeros_compressed(std::size_t{257} << 20);
  bomb.insert(bomb.end(), compressed.begin(), compressed.end());
  const Bytes good = footprint_library("SOIC8", 8);
  const auto container = open_ok(intlib_file({bomb, intlib_stream(good, true)}, {}));
  const auto libraries = altium::embedded_libraries(container, "PCBLib");
  ASSERT_TRUE(libraries.has_value());
  ASSERT_EQ(libraries->size(), 2u);
  ASSERT_FALSE((*libraries)[0].ok());
  EXPECT_EQ((*libraries)[0].error().message(), "inflated data exceeds 268435456 bytes");
  ASSERT_TRUE((*libraries)[1].ok());
  EXPECT_EQ(*(*libraries)[1], good);
}

TEST(EmbeddedLibraries, NothingForOrdinaryLibrariesAndStorages) {
  const auto pcblib = open_ok(footprint_library("SOIC8", 8));
  EXPECT_FALSE(altium::embedded_libraries(pcblib, "PCBLib").has_value());
  EXPECT_FALSE(altium::embedded_libraries(pcblib, "SOIC8").has_value());
  EXPECT_FALSE(altium::embedded_libraries(pcblib, "FileHeader").has_value());

  // A footprint that happens to be named PCBLib holds a "Data" stream: it is no embedding.
  const auto named =
      open_ok(pcblib_file({{"PCBLib", pcb_data_stream("PCBLib", std::vector<PcbPad>{})}}));
  EXPECT_FALSE(altium::embedded_libraries(named, "PCBLib").has_value());

  // Storages alone are not embedded libraries either.
  const auto nested = open_ok(write_cfb({CfbNode::storage(
      "PCBLib", {CfbNode::storage("0.pcblib", {CfbNode::stream("x", Bytes{1})})})}));
  EXPECT_FALSE(altium::embedded_libraries(nested, "PCBLib").has_value());
}

TEST(InflateBounded, InflatesUpToAndIncludingTheBound) {
  const Bytes data(5000, 'a');
  const Bytes stream = intlib_stream(data, true);
  const altium::ByteView compressed = altium::ByteView(stream).subspan(1);
  const auto exact = altium::inflate_bounded(compressed, data.size());
  ASSERT_TRUE(exact.ok()) << exact.error().message();
  EXPECT_EQ(*exact, data);
  const auto over = altium::inflate_bounded(compressed, data.size() - 1);
  ASSERT_FALSE(over.ok());
  EXPECT_EQ(over.error().message(), "inflated data exceeds 4999 bytes");
  const Bytes empty_stream = intlib_stream({}, true);
  EXPECT_TRUE(altium::inflate_bounded(altium::ByteView(empty_stream).subspan(1), 0).ok());
  EXPECT_FALSE(altium::inflate_bounded({}, 100).ok());
}

}  // namespace
