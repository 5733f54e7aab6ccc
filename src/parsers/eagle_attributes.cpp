#include "parsers/eagle_attributes.hpp"

#include <libxml/entities.h>

#include <memory>
#include <vector>

namespace tessan {

namespace {

// Entity references nest at most this deep; libxml2 refuses deeper nesting while parsing.
constexpr std::size_t kMaxEntityNesting = 40;

std::string_view text_of(const xmlChar* text) {
  return text == nullptr ? std::string_view{}
                         : std::string_view(reinterpret_cast<const char*>(text));
}

bool is_plain_text(const xmlNode* nodes) {
  return nodes != nullptr && nodes->type == XML_TEXT_NODE && nodes->next == nullptr;
}

struct NodeListDeleter {
  void operator()(xmlNode* nodes) const { xmlFreeNodeList(nodes); }
};

}  // namespace

// Without measuring `text` first.
bool xml_name_is(const xmlChar* text, std::string_view name) {
  if (text == nullptr) return false;
  for (const char c : name) {
    if (*text == '\0' || static_cast<char>(*text) != c) return false;
    ++text;
  }
  return *text == '\0';
}

void EagleAttributes::set_element(xmlDoc* document, const xmlChar** attributes, int count) {
  document_ = document;
  attributes_ = attributes;
  count_ = attributes == nullptr ? 0 : count;
  expanded_.clear();
}

// A prefixed attribute either has a namespace or, when its prefix is unbound, keeps the
// prefix in its name: neither is the plain name.
std::optional<std::string_view> EagleAttributes::get(std::string_view name) {
  for (int i = 0; i < count_; ++i) {
    const xmlChar* const* attribute = attributes_ + 5 * i;
    if (attribute[1] != nullptr || !xml_name_is(attribute[0], name)) continue;
    const xmlChar* value = attribute[3];
    const xmlChar* end = attribute[4];
    if (value == nullptr || end <= value) return std::string_view();
    // The parser copies a value that refers to an entity and ends the copy with a NUL;
    // other values are views into the text, which goes on with the closing quote.
    if (*end != '\0') {
      return std::string_view(reinterpret_cast<const char*>(value),
                              static_cast<std::size_t>(end - value));
    }
    return expanded(value, end);
  }
  return std::nullopt;
}

// The value as libxml2 would have put it into a tree: text and entity reference nodes.
std::string_view EagleAttributes::expanded(const xmlChar* value, const xmlChar* end) {
  const std::unique_ptr<xmlNode, NodeListDeleter> nodes(
      xmlStringLenGetNodeList(document_, value, static_cast<int>(end - value)));
  if (!nodes) return std::string_view();
  if (is_plain_text(nodes.get())) {
    return expanded_.emplace_back(text_of(nodes->content));
  }
  return expanded_.emplace_back(expanded_value(nodes.get()));
}

// Text and entity references in document order; an entity's replacement is its own node
// list, walked with an explicit stack. An unknown entity contributes nothing. Every node
// visited and every byte added is charged to the budget.
std::string EagleAttributes::expanded_value(const xmlNode* nodes) {
  std::string value;
  std::vector<const xmlNode*> pending{nodes};
  while (!pending.empty() && !budget_exhausted_) {
    const xmlNode* node = pending.back();
    if (node == nullptr) {
      pending.pop_back();
      continue;
    }
    pending.back() = node->next;
    charge(1);
    if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
      append(value, node->content);
    } else if (node->type == XML_ENTITY_REF_NODE && pending.size() < kMaxEntityNesting) {
      const xmlEntity* entity = xmlGetDocEntity(document_, node->name);
      if (entity != nullptr) pending.push_back(entity->children);
    }
  }
  return value;
}

void EagleAttributes::append(std::string& out, const xmlChar* text) {
  const std::string_view piece = text_of(text);
  if (charge(piece.size())) out.append(piece);
}

bool EagleAttributes::charge(std::size_t cost) {
  if (cost > budget_left_) {
    budget_exhausted_ = true;
    budget_left_ = 0;
    return false;
  }
  budget_left_ -= cost;
  return true;
}

}  // namespace tessan
