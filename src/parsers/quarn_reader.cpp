#include "parsers/quarn_reader.hpp"

#include <exception>
#include <string>
#include <utility>

#include <nlohmann/json.hpp>

#include "parsers/read_text_file.hpp"

namespace tessan {

namespace {

using json = nlohmann::json;

// The member "padDescriptions" of the footprint document's root object, whose member values
// are never looked at: they are replaced by null as soon as each one is parsed, so that a
// footprint with many pads does not hold every pad's description in memory.
class PadValuePruner {
 public:
  bool operator()(int depth, json::parse_event_t event, json& parsed) {
    if (event == json::parse_event_t::key && depth == 1) {
      inside_pad_descriptions_ =
          parsed.is_string() && parsed.get_ref<const std::string&>() == "padDescriptions";
    } else if (inside_pad_descriptions_ && depth == 2 && ends_value(event)) {
      parsed = nullptr;
    }
    return true;
  }

 private:
  static bool ends_value(json::parse_event_t event) {
    return event == json::parse_event_t::value || event == json::parse_event_t::object_end ||
           event == json::parse_event_t::array_end;
  }

  bool inside_pad_descriptions_ = false;
};

// Every failure of the JSON library (syntax, number range, memory) becomes the cause.
Result<json> parse_json(const std::string& text, json::parser_callback_t callback,
                        const char* what) {
  try {
    return json::parse(text, std::move(callback));
  } catch (const std::exception& e) {
    return Error(what, Error(e.what()));
  }
}

Result<json> read_json(const std::filesystem::path& path, const char* what,
                       json::parser_callback_t callback) {
  auto text = read_text_file(path);
  if (!text) return std::move(text).error();
  return parse_json(*text, std::move(callback), what);
}

std::string string_member(const json& object, const char* key) {
  const auto it = object.find(key);
  if (it == object.end() || !it->is_string()) return {};
  return it->get<std::string>();
}

std::vector<Pin> pins_of(const json& symbol) {
  std::vector<Pin> pins;
  if (!symbol.is_object()) return pins;
  const auto list = symbol.find("pins");
  if (list == symbol.end() || !list->is_array()) return pins;
  pins.reserve(list->size());
  for (const json& element : *list) {
    Pin pin;
    if (element.is_object()) {
      pin.number = string_member(element, "number");
      pin.name = string_member(element, "name");
    }
    pin.is_stub = is_stub_name(pin.name, pin.number);
    pins.push_back(std::move(pin));
  }
  return pins;
}

// Member names of "padDescriptions": the object keeps them once each, in byte-wise order.
std::vector<std::string> pads_of(const json& footprint) {
  std::vector<std::string> pads;
  if (!footprint.is_object()) return pads;
  const auto descriptions = footprint.find("padDescriptions");
  if (descriptions == footprint.end() || !descriptions->is_object()) return pads;
  pads.reserve(descriptions->size());
  for (const auto& member : descriptions->items()) pads.push_back(member.key());
  return pads;
}

std::optional<double> number_at(const json& document, const char* pointer) {
  const json::json_pointer location(pointer);
  try {
    if (!document.contains(location)) return std::nullopt;
    const json& value = document.at(location);
    if (!value.is_number()) return std::nullopt;
    return value.get<double>();
  } catch (const json::exception&) {
    return std::nullopt;
  }
}

std::optional<PackageInfo> package_of(const json& footprint) {
  PackageInfo package;
  if (footprint.is_object()) package.package_name = string_member(footprint, "package");
  package.body_x_mm = number_at(footprint, "/bodyDimensions/x");
  package.body_y_mm = number_at(footprint, "/bodyDimensions/y");
  if (package.package_name.empty() && !package.body_x_mm && !package.body_y_mm) {
    return std::nullopt;
  }
  return package;
}

}  // namespace

Result<SourceData> read_quarn(const std::filesystem::path& symbol_path,
                              const std::optional<std::filesystem::path>& footprint_path) {
  SourceData record;
  record.name = "quarn";
  {
    auto symbol = read_json(symbol_path, "parsing quarn symbol JSON", nullptr);
    if (!symbol) return std::move(symbol).error();
    record.pins = pins_of(*symbol);
  }
  if (!footprint_path) return record;
  auto footprint = read_json(*footprint_path, "parsing quarn footprint JSON", PadValuePruner{});
  if (!footprint) return std::move(footprint).error();
  record.pads = pads_of(*footprint);
  record.package = package_of(*footprint);
  return record;
}

}  // namespace tessan
