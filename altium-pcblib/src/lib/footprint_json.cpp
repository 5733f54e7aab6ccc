#include "altium_pcblib/footprint_json.hpp"

namespace altium {

namespace {

constexpr const char* kSource = "altium_pcblib";

const char* type_text(PadType type) {
  return type == PadType::ThruHole ? "thru_hole" : "smd";
}

const char* shape_text(PadShape shape) {
  switch (shape) {
    case PadShape::Circle:
      return "circle";
    case PadShape::Oval:
      return "oval";
    case PadShape::RoundRect:
      return "roundrect";
    case PadShape::Rect:
      break;
  }
  return "rect";
}

nlohmann::json layers_json(PadLayers layers) {
  switch (layers) {
    case PadLayers::AllLayers:
      return {"*.Cu", "*.Paste", "*.Mask"};
    case PadLayers::Back:
      return {"B.Cu", "B.Paste", "B.Mask"};
    case PadLayers::Front:
      break;
  }
  return {"F.Cu", "F.Paste", "F.Mask"};
}

nlohmann::json drill_json(const Pad& pad) {
  if (pad.type != PadType::ThruHole) return nullptr;
  return {{"shape", "circle"}, {"diameter", pad.drill_mm}};
}

nlohmann::json pads_json(const std::vector<Pad>& pads) {
  nlohmann::json array = nlohmann::json::array();
  for (const Pad& pad : pads) array.push_back(pad_to_json(pad));
  return array;
}

}  // namespace

nlohmann::json pad_to_json(const Pad& pad) {
  return {
      {"number", pad.number},
      {"type", type_text(pad.type)},
      {"shape", shape_text(pad.shape)},
      {"at", {pad.x_mm, pad.y_mm, pad.rotation_deg}},
      {"size", {pad.size_x_mm, pad.size_y_mm}},
      {"layers", layers_json(pad.layers)},
      {"drill", drill_json(pad)},
  };
}

nlohmann::json footprint_entry_to_json(const FootprintEntry& entry) {
  nlohmann::json object = {
      {"module_name", entry.module_name}, {"pad_count", entry.pads.size()},
      {"pads", pads_json(entry.pads)},    {"silk_markers", nlohmann::json::array()},
      {"pin1_silk", {{"found", false}}},
  };
  if (entry.parse_error) {
    object["_source"] = kSource;
    object["_parse_error"] = *entry.parse_error;
  }
  return object;
}

nlohmann::json footprint_document(const FootprintEntries& entries) {
  if (entries.empty()) return nlohmann::json::object();
  nlohmann::json document = footprint_entry_to_json(entries.front());
  document["_source"] = kSource;
  if (entries.size() > 1) {
    nlohmann::json alternates = nlohmann::json::array();
    for (std::size_t i = 1; i < entries.size(); ++i) {
      alternates.push_back(footprint_entry_to_json(entries[i]));
    }
    document["_alternates"] = std::move(alternates);
  }
  return document;
}

}  // namespace altium
