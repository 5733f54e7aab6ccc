#include "parsers/eagle_library.hpp"

#include <utility>

#include "parsers/eagle_attributes.hpp"
#include "parsers/eagle_number.hpp"
#include "parsers/eagle_pad_geometry.hpp"
#include "parsers/eagle_pins.hpp"

namespace tessan {

namespace {

// The node after `node` in a pre-order walk of the subtree below `root`, or null at its end.
// Only elements are descended into: an entity reference's children belong to the entity.
const xmlNode* next_in_document_order(const xmlNode* node, const xmlNode* root) {
  if (node->type == XML_ELEMENT_NODE && node->children != nullptr) return node->children;
  for (; node != root && node != nullptr; node = node->parent) {
    if (node->next != nullptr) return node->next;
  }
  return nullptr;
}

// The texts of the attributes that a pad's geometry depends on, held while they are used.
class EagleAttributeTexts {
 public:
  EagleAttributeTexts(EagleAttributes& attributes, const xmlNode* pad, bool is_smd)
      : x_(attributes.get(pad, "x")),
        y_(attributes.get(pad, "y")),
        rot_(attributes.get(pad, "rot")) {
    if (is_smd) {
      dx_ = attributes.get(pad, "dx");
      dy_ = attributes.get(pad, "dy");
      layer_ = attributes.get(pad, "layer");
      cream_ = attributes.get(pad, "cream");
      roundness_ = attributes.get(pad, "roundness");
    } else {
      drill_ = attributes.get(pad, "drill");
      diameter_ = attributes.get(pad, "diameter");
      shape_ = attributes.get(pad, "shape");
    }
  }

  EaglePadAttributes views() const {
    return {view(x_),     view(y_),        view(rot_),   view(dx_),
            view(dy_),    view(layer_),    view(cream_), view(roundness_),
            view(drill_), view(diameter_), view(shape_)};
  }

 private:
  static std::optional<std::string_view> view(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    return std::string_view(*text);
  }

  std::optional<std::string> x_, y_, rot_, dx_, dy_, layer_, cream_, roundness_, drill_, diameter_,
      shape_;
};

// As next_in_document_order, but passing over the subtrees of packages below `root`: their
// pads are their own.
const xmlNode* next_pad_candidate(const xmlNode* node, const xmlNode* root) {
  if (!is_element(node, "package")) return next_in_document_order(node, root);
  for (; node != root && node != nullptr; node = node->parent) {
    if (node->next != nullptr) return node->next;
  }
  return nullptr;
}

const xmlNode* enclosing_device(const xmlNode* node) {
  for (const xmlNode* up = node->parent; up != nullptr; up = up->parent) {
    if (is_element(up, "device")) return up;
  }
  return nullptr;
}

class LibraryCollector {
 public:
  LibraryCollector(EagleAttributes& attributes, const EagleReadLimits& limits)
      : attributes_(attributes), limits_(limits), pins_(limits.max_pins) {}

  // False once a count has passed its limit; `failure` then says which.
  bool visit(const xmlNode* node) {
    if (node->type != XML_ELEMENT_NODE) return true;
    if (is_element(node, "package")) return visit_package(node);
    if (is_element(node, "connect")) return visit_connect(node);
    if (is_element(node, "device") && !library_.chosen_package) choose_device(node);
    return true;
  }

  const char* failure() const { return failure_; }

  EagleLibrary take() {
    library_.pins = pins_.take();
    return std::move(library_);
  }

 private:
  bool visit_package(const xmlNode* package) {
    auto name = attributes_.get(package, "name");
    if (!name) return true;
    EaglePackage contents;
    for (const xmlNode* node = package->children; node != nullptr;
         node = next_pad_candidate(node, package)) {
      if (!is_element(node, "smd") && !is_element(node, "pad")) continue;
      add_pad(node, contents);
      if (contents.pads.size() > limits_.max_pads) {
        failure_ = "too many pads";
        return false;
      }
    }
    library_.packages.insert_or_assign(std::move(*name), std::move(contents));
    return true;
  }

  void add_pad(const xmlNode* pad, EaglePackage& package) {
    auto label = attributes_.get(pad, "name");
    const auto x_text = attributes_.get(pad, "x");
    const auto y_text = attributes_.get(pad, "y");
    if (x_text && y_text) {
      const auto x = parse_eagle_number(*x_text);
      const auto y = parse_eagle_number(*y_text);
      if (x && y) package.extent.add(*x, *y);
    }
    if (!label) return;
    package.pads.push_back(std::move(*label));
    if (package.geometry_complete) add_geometry(pad, package);
  }

  void add_geometry(const xmlNode* pad, EaglePackage& package) {
    const bool is_smd = is_element(pad, "smd");
    EagleAttributeTexts texts(attributes_, pad, is_smd);
    const auto geometry =
        is_smd ? eagle_smd_geometry(texts.views()) : eagle_through_pad_geometry(texts.views());
    if (geometry) {
      package.geometry.push_back(*geometry);
    } else {
      package.geometry_complete = false;
      package.geometry.clear();
    }
  }

  // The connects seen so far belong to other devices: those of this one follow its start.
  void choose_device(const xmlNode* device) {
    library_.chosen_package = attributes_.get(device, "package");
    if (!library_.chosen_package) return;
    chosen_device_ = device;
    pins_.clear();
  }

  bool visit_connect(const xmlNode* connect) {
    if (chosen_device_ != nullptr && enclosing_device(connect) != chosen_device_) return true;
    const auto pin = attributes_.get(connect, "pin");
    const auto pad = attributes_.get(connect, "pad");
    if (!pin || !pad || pins_.add(*pin, *pad)) return true;
    failure_ = "too many pins";
    return false;
  }

  EagleAttributes& attributes_;
  const EagleReadLimits& limits_;
  EagleLibrary library_;
  EaglePinCollector pins_;
  const xmlNode* chosen_device_ = nullptr;
  const char* failure_ = nullptr;
};

}  // namespace

Result<EagleLibrary> collect_eagle_library(const xmlDoc& document, const EagleReadLimits& limits) {
  EagleAttributes attributes(&document, limits.expansion_budget);
  LibraryCollector collector(attributes, limits);
  const auto* root = reinterpret_cast<const xmlNode*>(&document);
  for (const xmlNode* node = root->children; node != nullptr;
       node = next_in_document_order(node, root)) {
    if (!collector.visit(node)) return Error(collector.failure());
  }
  if (attributes.budget_exhausted()) {
    return Error("entity references in attribute values expand beyond " +
                 std::to_string(limits.expansion_budget) + " bytes")
        .wrap("parsing EAGLE XML");
  }
  return collector.take();
}

}  // namespace tessan
