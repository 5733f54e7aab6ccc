// The JSON form of a component: the component document.
#include <gtest/gtest.h>

#include <limits>

#include "altium_schlib/component_json.hpp"

namespace {

TEST(ComponentDocument, HoldsEveryMemberWithExactValues) {
  altium::Component component;
  component.module_name = "LM358";
  component.description = "Dual op-amp";
  component.part_count = -2;
  altium::SchPin pin;
  pin.number = "1";
  pin.name = "OUT";
  pin.x = -35;
  pin.y = 40;
  pin.length = 30;
  pin.conglomerate = 0x05;
  component.pins = {pin};
  component.body = altium::SchBody{30, -340, 230.5, 20};
  EXPECT_EQ(altium::component_document(component).dump(),
            R"({"_source":"altium_schlib","body":{"x1":30.0,"x2":230.5,"y1":-340.0,"y2":20.0},)"
            R"("description":"Dual op-amp","module_name":"LM358","part_count":-2,"pin_count":1,)"
            R"("pins":[{"conglomerate":5,"length":30,"name":"OUT","number":"1","rotation":90,)"
            R"("x":-35,"y":40}]})");
}

TEST(ComponentDocument, NoBodyIsNull) {
  altium::Component component;
  const auto document = altium::component_document(component);
  EXPECT_TRUE(document["body"].is_null());
  EXPECT_EQ(document["pin_count"], 0);
  EXPECT_EQ(document["part_count"], 1);
  EXPECT_TRUE(document["pins"].is_array());
}

TEST(ComponentDocument, CoordinatesThatAreNotFiniteAreNull) {
  altium::Component component;
  component.body = altium::SchBody{std::numeric_limits<double>::infinity(), 1,
                                   std::numeric_limits<double>::quiet_NaN(), 2};
  EXPECT_EQ(altium::component_document(component)["body"].dump(),
            R"({"x1":null,"x2":null,"y1":1.0,"y2":2.0})");
}

}  // namespace
