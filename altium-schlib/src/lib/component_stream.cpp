#include "altium_schlib/component_stream.hpp"

#include "altium_schlib/pin_record.hpp"
#include "altium_schlib/property_values.hpp"

namespace altium {

namespace {

constexpr std::string_view kHeaderRecord = "1";
constexpr std::string_view kRectangleRecord = "14";

bool is_text_record(ByteView payload) {
  return !payload.empty() && payload[0] == '|';
}

void apply_header(std::string_view properties, Component& component) {
  component.description = lookup_property(properties, "ComponentDescription").value_or("");
  const auto part_count = lookup_property(properties, "PartCount");
  component.part_count = part_count ? parse_decimal_integer(*part_count).value_or(1) : 1;
}

std::optional<double> coordinate(std::string_view properties, std::string_view key) {
  const auto value = lookup_property(properties, key);
  return value ? parse_decimal_number(*value) : std::nullopt;
}

void apply_rectangle(std::string_view properties, Component& component) {
  const auto x1 = coordinate(properties, "Location.X");
  const auto y1 = coordinate(properties, "Location.Y");
  const auto x2 = coordinate(properties, "Corner.X");
  const auto y2 = coordinate(properties, "Corner.Y");
  if (x1 && y1 && x2 && y2) component.body = SchBody{*x1, *y1, *x2, *y2};
}

// The text of a text record, without the zero byte that ends it.
std::string record_text(ByteView payload) {
  if (!payload.empty() && payload.back() == 0) payload = payload.first(payload.size() - 1);
  return decode_altium_text(payload);
}

void apply_text_record(ByteView payload, Component& component) {
  const std::string properties = record_text(payload);
  const std::string record = lookup_property(properties, "RECORD").value_or("");
  if (record == kHeaderRecord) {
    apply_header(properties, component);
  } else if (record == kRectangleRecord) {
    apply_rectangle(properties, component);
  }
}

}  // namespace

Component decode_component_stream(std::string_view storage_name, ByteView stream,
                                  std::size_t max_pins) {
  Component component;
  component.module_name = std::string(storage_name);
  for_each_sch_record(stream, [&](ByteView payload) {
    if (is_text_record(payload)) {
      apply_text_record(payload, component);
    } else if (is_pin_record(payload)) {
      component.pins.push_back(decode_pin_record(payload));
    }
    return component.pins.size() <= max_pins;
  });
  return component;
}

}  // namespace altium
