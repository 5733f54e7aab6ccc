// The JSON form of pads, footprint entries and the footprint document.
#include <gtest/gtest.h>

#include "altium_pcblib/footprint_json.hpp"

namespace {

using altium::FootprintEntry;
using altium::Pad;
using altium::PadLayers;
using altium::PadShape;
using altium::PadType;
using nlohmann::json;

FootprintEntry footprint(std::string name, std::size_t pads) {
  FootprintEntry entry;
  entry.module_name = std::move(name);
  for (std::size_t i = 1; i <= pads; ++i) entry.pads.push_back(Pad{.number = std::to_string(i)});
  return entry;
}

FootprintEntry error_entry(std::string storage, std::string message) {
  FootprintEntry entry;
  entry.module_name = std::move(storage);
  entry.parse_error = std::move(message);
  return entry;
}

TEST(PadJson, SurfaceMountPad) {
  const Pad pad{.number = "1",
                .type = PadType::Smd,
                .shape = PadShape::RoundRect,
                .layers = PadLayers::Back,
                .x_mm = 0.0254,
                .y_mm = -0.0254,
                .rotation_deg = 90,
                .size_x_mm = 1.5,
                .size_y_mm = 0.6};
  EXPECT_EQ(altium::pad_to_json(pad).dump(),
            R"({"at":[0.0254,-0.0254,90.0],"drill":null,"layers":["B.Cu","B.Paste","B.Mask"],)"
            R"("number":"1","shape":"roundrect","size":[1.5,0.6],"type":"smd"})");
}

TEST(PadJson, ThroughHolePad) {
  const Pad pad{.number = "A1",
                .type = PadType::ThruHole,
                .shape = PadShape::Circle,
                .layers = PadLayers::AllLayers,
                .size_x_mm = 1.7,
                .size_y_mm = 1.7,
                .drill_mm = 1.0};
  EXPECT_EQ(altium::pad_to_json(pad).dump(),
            R"({"at":[0.0,0.0,0.0],"drill":{"diameter":1.0,"shape":"circle"},)"
            R"("layers":["*.Cu","*.Paste","*.Mask"],"number":"A1","shape":"circle",)"
            R"("size":[1.7,1.7],"type":"thru_hole"})");
}

TEST(PadJson, ShapeAndLayerWords) {
  Pad pad;
  pad.shape = PadShape::Oval;
  EXPECT_EQ(altium::pad_to_json(pad)["shape"], "oval");
  pad.shape = PadShape::Rect;
  EXPECT_EQ(altium::pad_to_json(pad)["shape"], "rect");
  pad.layers = PadLayers::Front;
  EXPECT_EQ(altium::pad_to_json(pad)["layers"], json({"F.Cu", "F.Paste", "F.Mask"}));
}

TEST(FootprintEntryJson, FootprintObject) {
  EXPECT_EQ(altium::footprint_entry_to_json(footprint("SOT23", 0)).dump(),
            R"({"module_name":"SOT23","pad_count":0,"pads":[],"pin1_silk":{"found":false},)"
            R"("silk_markers":[]})");
  EXPECT_EQ(altium::footprint_entry_to_json(footprint("SOT23", 3))["pad_count"], 3);
}

TEST(FootprintEntryJson, ErrorEntry) {
  EXPECT_EQ(
      altium::footprint_entry_to_json(error_entry("QFN", "stream too short (3 bytes)")).dump(),
      R"j({"_parse_error":"stream too short (3 bytes)","_source":"altium_pcblib",)j"
      R"j("module_name":"QFN","pad_count":0,"pads":[],"pin1_silk":{"found":false},)j"
      R"j("silk_markers":[]})j");
}

TEST(FootprintDocument, SingleEntryHasNoAlternates) {
  const json document = altium::footprint_document({footprint("SOIC8", 8)});
  EXPECT_EQ(document["_source"], "altium_pcblib");
  EXPECT_EQ(document["module_name"], "SOIC8");
  EXPECT_FALSE(document.contains("_alternates"));
}

TEST(FootprintDocument, OtherEntriesAreAlternatesInOrder) {
  const json document = altium::footprint_document(
      {footprint("A", 9), footprint("B", 9),
       error_entry("C", "footprint name block overruns stream"), footprint("D", 0)});
  EXPECT_EQ(document["module_name"], "A");
  ASSERT_EQ(document["_alternates"].size(), 3u);
  EXPECT_EQ(document["_alternates"][0]["module_name"], "B");
  EXPECT_FALSE(document["_alternates"][0].contains("_source"));
  EXPECT_FALSE(document["_alternates"][0].contains("_alternates"));
  EXPECT_EQ(document["_alternates"][1]["_parse_error"], "footprint name block overruns stream");
  EXPECT_EQ(document["_alternates"][1]["_source"], "altium_pcblib");
  EXPECT_EQ(document["_alternates"][2]["module_name"], "D");
}

TEST(FootprintDocument, ErrorEntryAsPrimary) {
  const json document =
      altium::footprint_document({error_entry("SOIC8", "stream too short (3 bytes)")});
  EXPECT_EQ(document["module_name"], "SOIC8");
  EXPECT_EQ(document["pad_count"], 0);
  EXPECT_EQ(document["_parse_error"], "stream too short (3 bytes)");
  EXPECT_EQ(document["_source"], "altium_pcblib");
}

}  // namespace
