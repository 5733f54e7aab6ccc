#include "parsers/quarn_reader.hpp"

#include <string>
#include <utility>

#include <nlohmann/json.hpp>

#include "compare/pin_text.hpp"
#include "parsers/count_limit.hpp"
#include "parsers/quarn_json_filter.hpp"
#include "parsers/read_text_file.hpp"

namespace tessan {

namespace {

using json = nlohmann::json;

Result<json> read_json(const std::filesystem::path& path, const char* what) {
  auto text = read_text_file(path);
  if (!text) return std::move(text).error();
  auto document = parse_quarn_json(*text);
  if (!document && is_count_limit_error(document.error())) return std::move(document).error();
  if (!document) return std::move(document).error().wrap(what);
  return document;
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
    if (element.is_object()) {
      pins.push_back(make_pin(string_member(element, "number"), string_member(element, "name")));
    } else {
      pins.push_back(make_pin({}, {}));
    }
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
  for (const auto& member : descriptions->items()) pads.push_back(trim_space(member.key()));
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
    auto symbol = read_json(symbol_path, "parsing quarn symbol JSON");
    if (!symbol) return std::move(symbol).error();
    record.pins = pins_of(*symbol);
  }
  if (!footprint_path) return record;
  auto footprint = read_json(*footprint_path, "parsing quarn footprint JSON");
  if (!footprint) return std::move(footprint).error();
  record.pads = pads_of(*footprint);
  record.package = package_of(*footprint);
  return record;
}

}  // namespace tessan
