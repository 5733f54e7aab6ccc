#include "parsers/eagle_library.hpp"

#include <utility>

#include "compare/pin_text.hpp"
#include "parsers/eagle_attributes.hpp"
#include "parsers/eagle_number.hpp"

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

const xmlNode* enclosing_device(const xmlNode* node) {
  for (const xmlNode* up = node->parent; up != nullptr; up = up->parent) {
    if (is_element(up, "device")) return up;
  }
  return nullptr;
}

class LibraryCollector {
 public:
  explicit LibraryCollector(EagleAttributes& attributes) : attributes_(attributes) {}

  void visit(const xmlNode* node) {
    if (node->type != XML_ELEMENT_NODE) return;
    if (is_element(node, "package")) {
      visit_package(node);
    } else if (is_element(node, "connect")) {
      visit_connect(node);
    } else if (is_element(node, "device") && !library_.chosen_package) {
      choose_device(node);
    }
  }

  EagleLibrary take() { return std::move(library_); }

 private:
  void visit_package(const xmlNode* package) {
    auto name = attributes_.get(package, "name");
    if (!name) return;
    EaglePackage contents;
    for (const xmlNode* node = package->children; node != nullptr;
         node = next_in_document_order(node, package)) {
      if (is_element(node, "smd") || is_element(node, "pad")) add_pad(node, contents);
    }
    library_.packages.insert_or_assign(std::move(*name), std::move(contents));
  }

  void add_pad(const xmlNode* pad, EaglePackage& package) {
    if (auto label = attributes_.get(pad, "name")) package.pads.push_back(trim_space(*label));
    const auto x_text = attributes_.get(pad, "x");
    const auto y_text = attributes_.get(pad, "y");
    if (!x_text || !y_text) return;
    const auto x = parse_eagle_number(*x_text);
    const auto y = parse_eagle_number(*y_text);
    if (x && y) package.extent.add(*x, *y);
  }

  // The connects seen so far belong to other devices: those of this one follow its start.
  void choose_device(const xmlNode* device) {
    library_.chosen_package = attributes_.get(device, "package");
    if (!library_.chosen_package) return;
    chosen_device_ = device;
    library_.connects.clear();
  }

  void visit_connect(const xmlNode* connect) {
    if (chosen_device_ != nullptr && enclosing_device(connect) != chosen_device_) return;
    auto pin = attributes_.get(connect, "pin");
    auto pad = attributes_.get(connect, "pad");
    if (!pin || !pad) return;
    library_.connects.push_back({std::move(*pin), std::move(*pad)});
  }

  EagleAttributes& attributes_;
  EagleLibrary library_;
  const xmlNode* chosen_device_ = nullptr;
};

}  // namespace

Result<EagleLibrary> collect_eagle_library(const xmlDoc& document, std::size_t expansion_budget) {
  EagleAttributes attributes(&document, expansion_budget);
  LibraryCollector collector(attributes);
  const auto* root = reinterpret_cast<const xmlNode*>(&document);
  for (const xmlNode* node = root->children; node != nullptr;
       node = next_in_document_order(node, root)) {
    collector.visit(node);
  }
  if (attributes.budget_exhausted()) {
    return Error("entity references in attribute values expand beyond " +
                 std::to_string(expansion_budget) + " bytes");
  }
  return collector.take();
}

}  // namespace tessan
