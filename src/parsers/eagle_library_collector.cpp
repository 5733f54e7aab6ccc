#include "parsers/eagle_library_collector.hpp"

#include <utility>

#include "compare/pin_text.hpp"
#include "parsers/count_limit.hpp"
#include "parsers/eagle_number.hpp"
#include "parsers/eagle_pad_geometry.hpp"

namespace tessan {

EagleLibraryCollector::EagleLibraryCollector(const EagleReadLimits& limits)
    : limits_(limits), attributes_(limits.expansion_budget), pins_(limits.max_pins) {}

// An element with an unbound prefix keeps the prefix in its name.
EagleLibraryCollector::Kind EagleLibraryCollector::kind_of(const xmlChar* local_name,
                                                           const xmlChar* prefix,
                                                           const xmlChar* uri) {
  if (prefix != nullptr && uri == nullptr) return Kind::Other;
  if (xml_name_is(local_name, "smd")) return Kind::Smd;
  if (xml_name_is(local_name, "pad")) return Kind::Pad;
  if (xml_name_is(local_name, "connect")) return Kind::Connect;
  if (xml_name_is(local_name, "package")) return Kind::Package;
  if (xml_name_is(local_name, "device")) return Kind::Device;
  return Kind::Other;
}

bool EagleLibraryCollector::start(const xmlChar* local_name, const xmlChar* prefix,
                                  const xmlChar* uri, xmlDoc* document, const xmlChar** attributes,
                                  int attribute_count) {
  ++depth_;
  attributes_.set_element(document, attributes, attribute_count);
  const Kind kind = kind_of(local_name, prefix, uri);
  switch (kind) {
    case Kind::Smd:
    case Kind::Pad:
      if (!packages_.empty() && packages_.back().name) {
        add_pad(kind == Kind::Smd, packages_.back().contents);
      }
      break;
    case Kind::Connect:
      add_connect();
      break;
    case Kind::Package:
      start_package();
      break;
    case Kind::Device:
      start_device();
      break;
    case Kind::Other:
      break;
  }
  if (attributes_.budget_exhausted() && !failure_) {
    fail(Error("entity references in attribute values expand beyond " +
               std::to_string(limits_.expansion_budget) + " bytes")
             .wrap("parsing EAGLE XML"));
  }
  return !failure_;
}

void EagleLibraryCollector::end() {
  if (!packages_.empty() && packages_.back().depth == depth_) finish_package();
  if (!devices_.empty() && devices_.back().depth == depth_) devices_.pop_back();
  --depth_;
}

EagleLibrary EagleLibraryCollector::take() {
  library_.pins = pins_.take();
  return std::move(library_);
}

void EagleLibraryCollector::start_package() {
  OpenPackage package;
  package.depth = depth_;
  if (const auto name = attributes_.get("name")) package.name = std::string(*name);
  package.order = packages_started_++;
  packages_.push_back(std::move(package));
}

// Of two packages of one name, the one that started later wins, also when it lies inside the
// other and so ends first.
void EagleLibraryCollector::finish_package() {
  OpenPackage package = std::move(packages_.back());
  packages_.pop_back();
  if (!package.name) return;
  const auto [stored, first] = stored_order_.try_emplace(*package.name, package.order);
  if (!first && stored->second > package.order) return;
  stored->second = package.order;
  library_.packages.insert_or_assign(std::move(*package.name), std::move(package.contents));
}

// The connects seen so far belong to other devices: those of the first device that names a
// package follow its start.
void EagleLibraryCollector::start_device() {
  devices_.push_back({depth_, devices_started_++});
  if (library_.chosen_package) return;
  const auto package = attributes_.get("package");
  if (!package) return;
  library_.chosen_package = std::string(*package);
  chosen_device_ = devices_.back().order;
  pins_.clear();
}

// A pad widens the extent of its package's pad centres whether or not it has a label; the
// position its geometry was read with spares a second reading.
bool EagleLibraryCollector::add_pad(bool is_smd, EaglePackage& package) {
  const auto label = attributes_.get("name");
  const PadGeometry* geometry = nullptr;
  if (label) {
    if (package.pads.size() == limits_.max_pads) return fail(too_many_pads());
    package.pads.push_back(trim_space(*label));
    if (package.geometry_complete) geometry = add_geometry(is_smd, package);
  }
  if (geometry != nullptr) {
    package.extent.add(geometry->x, geometry->y);
    return true;
  }
  const auto x_text = attributes_.get("x");
  const auto y_text = attributes_.get("y");
  if (!x_text || !y_text) return true;
  const auto x = parse_eagle_number(*x_text);
  const auto y = parse_eagle_number(*y_text);
  if (x && y) package.extent.add(*x, *y);
  return true;
}

const PadGeometry* EagleLibraryCollector::add_geometry(bool is_smd, EaglePackage& package) {
  EaglePadAttributes texts;
  texts.x = attributes_.get("x");
  texts.y = attributes_.get("y");
  texts.rot = attributes_.get("rot");
  if (is_smd) {
    texts.dx = attributes_.get("dx");
    texts.dy = attributes_.get("dy");
    texts.layer = attributes_.get("layer");
    texts.cream = attributes_.get("cream");
    texts.roundness = attributes_.get("roundness");
  } else {
    texts.drill = attributes_.get("drill");
    texts.diameter = attributes_.get("diameter");
    texts.shape = attributes_.get("shape");
  }
  const auto geometry = is_smd ? eagle_smd_geometry(texts) : eagle_through_pad_geometry(texts);
  if (geometry) return &package.geometry.emplace_back(*geometry);
  package.geometry_complete = false;
  package.geometry = {};
  return nullptr;
}

// A connect counts when no device has named a package yet, or when the device nearest above
// it is the one that did.
bool EagleLibraryCollector::add_connect() {
  if (chosen_device_ && (devices_.empty() || devices_.back().order != *chosen_device_)) {
    return true;
  }
  const auto pin = attributes_.get("pin");
  const auto pad = attributes_.get("pad");
  if (!pin || !pad || pins_.add(*pin, *pad)) return true;
  return fail(too_many_pins());
}

bool EagleLibraryCollector::fail(Error error) {
  failure_ = std::move(error);
  return false;
}

}  // namespace tessan
