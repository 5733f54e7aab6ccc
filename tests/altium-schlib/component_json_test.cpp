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
  component.pins.resize(1);
  component.pins[0] = {
      .number = "1", .name = "OUT", .x = -35, .y = 40, .length = 30, .conglomerate = 5};
  component.body = altium::SchBody{30, -340, std::numeric_limits<double>::infinity(), 20};
  EXPECT_EQ(altium::component_document(component).dump(),
            R"({"_source":"altium_schlib","body":{"x1":30.0,"x2":null,"y1":-340.0,"y2":20.0},)"
            R"("description":"Dual op-amp","module_name":"LM358","part_count":-2,"pin_count":1,)"
            R"("pins":[{"conglomerate":5,"length":30,"name":"OUT","number":"1","rotation":90,)"
            R"("x":-35,"y":40}]})");
  EXPECT_TRUE(altium::component_document(altium::Component{})["body"].is_null());
}

}  // namespace
