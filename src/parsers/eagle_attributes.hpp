// Attribute values of EAGLE elements, looked up by name among the attributes without a
// namespace.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <libxml/tree.h>

namespace tessan {

class EagleAttributes {
 public:
  // Entities are not substituted by the parser, so a value that refers to one is expanded
  // here; `expansion_budget` bounds the bytes all such expansions of one document may add,
  // so that a small document cannot expand to gigabytes.
  EagleAttributes(const xmlDoc* document, std::size_t expansion_budget)
      : document_(document), budget_left_(expansion_budget) {}

  // The value of the namespace-less attribute `name`, or nothing when there is none.
  std::optional<std::string> get(const xmlNode* element, std::string_view name);

  // Whether some value was cut short because the budget ran out.
  bool budget_exhausted() const { return budget_exhausted_; }

 private:
  std::string expanded_value(const xmlNode* nodes);
  void append(std::string& out, const xmlChar* text);
  bool charge(std::size_t cost);

  const xmlDoc* document_;
  std::size_t budget_left_;
  bool budget_exhausted_ = false;
};

// Whether `node` is an element whose local name is `name`.
bool is_element(const xmlNode* node, std::string_view name);

}  // namespace tessan
