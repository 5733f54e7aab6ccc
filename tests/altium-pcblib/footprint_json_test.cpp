// The JSON form of pads, footprint entries and the footprint document.
#include <gtest/gtest.h>

#include "altium_pcblib/footprint_json.hpp"

namespace {

using altium::FootprintEntry;
using altium::Pad;

FootprintEntry entry(std::string name, std::size_t pads,
                     std::optional<std::string> error = std::nullopt) {
  FootprintEntry e;
  e.module_name = std::move(name);
  e.pads.resize(pads);
  e.parse_error = std::move(error);
  return e;
}

TEST(PadJson, SurfaceMountAndThroughHolePads) {
  Pad pad;
  pad.number = "1";
  pad.shape = altium::PadShape::RoundRect;
  pad.layers = altium::PadLayers::Back;
  pad.x_mm = 0.0254;
  pad.y_mm = -0.0254;
  pad.rotation_deg = 90;
  pad.size_x_mm = 1.5;
  pad.size_y_mm = 0.6;
  EXPECT_EQ(altium::pad_to_json(pad).dump(),
            R"({"at":[0.0254,-0.0254,90.0],"drill":null,"layers":["B.Cu","B.Paste","B.Mask"],)"
            R"("number":"1","shape":"roundrect","size":[1.5,0.6],"type":"smd"})");

  pad.type = altium::PadType::ThruHole;
  pad.shape = altium::PadShape::Oval;
  pad.layers = altium::PadLayers::AllLayers;
  pad.drill_mm = 1.0000000000000002;
  EXPECT_EQ(altium::pad_to_json(pad)["drill"].dump(),
            R"({"diameter":1.0000000000000002,"shape":"circle"})");
  EXPECT_EQ(altium::pad_to_json(pad)["layers"].dump(), R"(["*.Cu","*.Paste","*.Mask"])");
  EXPECT_EQ(altium::pad_to_json(pad)["shape"], "oval");
  EXPECT_EQ(altium::pad_to_json(pad)["type"], "thru_hole");
}

TEST(FootprintDocument, SingleFootprint) {
  EXPECT_EQ(altium::footprint_document({entry("SOT23", 0)}).dump(),
            R"({"_source":"altium_pcblib","module_name":"SOT23","pad_count":0,"pads":[],)"
            R"("pin1_silk":{"found":false},"silk_markers":[]})");
}

TEST(FootprintDocument, ErrorEntryAsPrimary) {
  EXPECT_EQ(altium::footprint_document({entry("SOIC8", 0, "stream too short (3 bytes)")}).dump(),
            R"j({"_parse_error":"stream too short (3 bytes)","_source":"altium_pcblib",)j"
            R"j("module_name":"SOIC8","pad_count":0,"pads":[],"pin1_silk":{"found":false},)j"
            R"j("silk_markers":[]})j");
}

TEST(FootprintDocument, OtherEntriesAreAlternatesInOrder) {
  const auto document = altium::footprint_document(
      {entry("A", 9), entry("B", 9), entry("C", 0, "footprint name block overruns stream")});
  EXPECT_EQ(document["module_name"], "A");
  EXPECT_EQ(document["pad_count"], 9);
  ASSERT_EQ(document["_alternates"].size(), 2u);
  const auto& footprint = document["_alternates"][0];
  EXPECT_EQ(footprint["module_name"], "B");
  EXPECT_FALSE(footprint.contains("_source") || footprint.contains("_alternates"));
  const auto& error = document["_alternates"][1];
  EXPECT_EQ(error["_parse_error"], "footprint name block overruns stream");
  EXPECT_EQ(error["_source"], "altium_pcblib");
}

}  // namespace
