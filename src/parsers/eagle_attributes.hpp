// The attribute values of the element a streaming XML parser has just started, looked up by
// name among the attributes without a namespace prefix.
#pragma once

#include <cstddef>
#include <deque>
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
  explicit EagleAttributes(std::size_t expansion_budget) : budget_left_(expansion_budget) {}

  // The element's attributes as libxml2's SAX2 start-element callback hands them over: five
  // pointers each (local name, prefix, namespace, value start, value end). `document` holds
  // the entity declarations. Forgets the expanded values of the element before.
  void set_element(xmlDoc* document, const xmlChar** attributes, int count);

  // The value of the attribute `name` without a prefix, or nothing when there is none. The
  // view lasts until the next element.
  std::optional<std::string_view> get(std::string_view name);

  // Whether some value was cut short because the budget ran out.
  bool budget_exhausted() const { return budget_exhausted_; }

 private:
  std::string_view expanded(const xmlChar* value, const xmlChar* end);
  std::string expanded_value(const xmlNode* nodes);
  void append(std::string& out, const xmlChar* text);
  bool charge(std::size_t cost);

  xmlDoc* document_ = nullptr;
  const xmlChar** attributes_ = nullptr;
  int count_ = 0;
  std::size_t budget_left_;
  bool budget_exhausted_ = false;
  std::deque<std::string> expanded_;  // a deque keeps the views of earlier values valid
};

// Whether the NUL-terminated `text` equals `name`.
bool xml_name_is(const xmlChar* text, std::string_view name);

}  // namespace tessan
