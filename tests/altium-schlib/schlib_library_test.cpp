// Whole schematic libraries: the first component, failures, integrated and damaged libraries.
#include <gtest/gtest.h>

#include "altium_schlib/component_library.hpp"
#include "altium_schlib/schlib.hpp"
#include "pin_builders.hpp"
#include "support/test_support.hpp"

namespace {

using namespace tessan::testing;
using schlib_test::make_pin;

Bytes component(const std::vector<std::pair<std::string, std::string>>& pins) {
  std::vector<SchPin> pin_list;
  for (const auto& [name, number] : pins) pin_list.push_back(make_pin(name, number));
  return sch_component_stream(pin_list, 2);
}

std::string error_of(const Bytes& file) {
  const auto result = altium::parse_first_component(file);
  return result ? "(no error)" : result.error().message();
}

TEST(SchLibLibrary, FirstComponentInDirectoryOrderAlone) {
  // Directory order puts the shorter name first, wherever the entries sit in the array.
  const std::vector<LibraryElement> components = {
      {"AD8605", component({{"OUT", "1"}})}, {"LM358", component({{"OUTA", "1"}, {"V-", "4"}})}};
  for (const auto order : {DirectoryOrder::Given, DirectoryOrder::Reversed}) {
    const auto document = altium::parse_schlib(schlib_file(components, {.order = order}));
    ASSERT_TRUE(document.ok()) << document.error().chain();
    EXPECT_EQ((*document)["module_name"], "LM358");
    EXPECT_EQ((*document)["pin_count"], 2);
    EXPECT_EQ((*document)["part_count"], 2);
    EXPECT_EQ((*document)["description"], "Test part");
    EXPECT_EQ((*document)["pins"][1]["name"], "V-");
  }
}

TEST(SchLibLibrary, Failures) {
  const Bytes text_pins = sch_data_stream({sch_text_record("|RECORD=2|Name=IN|Designator=1")});
  EXPECT_EQ(error_of(schlib_file({{"LM358", text_pins}})), "no pins parsed from component LM358");
  EXPECT_EQ(error_of(schlib_file({{"NOPINS", Bytes{}}, {"WITHPINS", component({{"A", "1"}})}})),
            "no pins parsed from component NOPINS");
  EXPECT_EQ(error_of(schlib_file({})), "no component storages found in SchLib");
  EXPECT_EQ(error_of(Bytes(7, 0xD0)), "not an OLE2 compound document (bad magic)");
  for (const CfbNode& data : {CfbNode::stream("Header", Bytes{1}), CfbNode::storage("Data", {})}) {
    const std::string error = error_of(write_cfb({CfbNode::storage("LM358", {data})}));
    EXPECT_TRUE(error.starts_with("open /LM358/Data: ")) << error;
  }
  const TempDir dir;
  const auto missing = dir.path() / "missing.SchLib";
  const auto result = altium::read_schlib(missing);
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error().message(),
            "read .SchLib " + missing.string() + ": No such file or directory");
}

TEST(IntegratedSchLib, FirstEmbeddedLibraryGivesThePins) {
  const Bytes first = schlib_file({{"LED", component({{"A", "2"}, {"K", "1"}})}});
  const Bytes second = schlib_file({{"OTHER", component({{"X", "9"}})}});
  for (const bool compressed : {true, false}) {
    const auto result = altium::parse_first_component(
        intlib_file({}, {intlib_stream(first, compressed), intlib_stream(second, compressed)}));
    ASSERT_TRUE(result.ok()) << result.error().chain();
    EXPECT_EQ(result->module_name, "LED");
    ASSERT_EQ(result->pins.size(), 2u);
    EXPECT_EQ(result->pins[1].number, "1");
  }
  // A first embedded library that cannot be read fails; the next one is not tried.
  EXPECT_NE(error_of(intlib_file({}, {Bytes{2, 'x', 'y'}, intlib_stream(first)})), "(no error)");
  EXPECT_EQ(error_of(intlib_file({}, {intlib_stream(Bytes(8, 0))})),
            "not an OLE2 compound document (bad magic)");
  // Without a "SchLib" storage the file is read as a plain library whose first storage is
  // "PCBLib", holding no "Data" stream.
  const Bytes pcblib = pcblib_file({{"SOT23", pcb_data_stream("SOT23", std::vector<PcbPad>{})}});
  EXPECT_TRUE(
      error_of(intlib_file({intlib_stream(pcblib)}, {})).starts_with("open /PCBLib/Data: "));
}

TEST(DamagedSchLib, TruncationAndCorruptionNeverCrash) {
  std::vector<std::pair<std::string, std::string>> pins;
  for (int i = 1; i <= 300; ++i) pins.emplace_back("PIN" + std::to_string(i), std::to_string(i));
  const Bytes file = schlib_file({{"BIG", component(pins)}});
  for (std::size_t length = 0; length < file.size(); length += 512) {
    (void)altium::parse_schlib(
        Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length)));
  }
  std::uint32_t state = 777;
  for (int round = 0; round < 200; ++round) {
    Bytes damaged = file;
    for (int flip = 0; flip < 8; ++flip) {
      state = state * 1664525u + 1013904223u;
      damaged[state % damaged.size()] ^= static_cast<std::uint8_t>(state >> 24);
    }
    (void)altium::parse_schlib(damaged);
  }
}

}  // namespace
