#include "parsers/eagle_attributes.hpp"

#include <libxml/entities.h>

#include <cstring>
#include <vector>

namespace tessan {

namespace {

// Entity references nest at most this deep; libxml2 refuses deeper nesting while parsing.
constexpr std::size_t kMaxEntityNesting = 40;

std::string_view text_of(const xmlChar* text) {
  return text == nullptr ? std::string_view{}
                         : std::string_view(reinterpret_cast<const char*>(text));
}

// Whether the NUL-terminated `text` equals `name`, without measuring `text` first.
bool equals(const xmlChar* text, std::string_view name) {
  if (text == nullptr) return false;
  for (const char c : name) {
    if (*text == '\0' || static_cast<char>(*text) != c) return false;
    ++text;
  }
  return *text == '\0';
}

const xmlAttr* find_attribute(const xmlNode* element, std::string_view name) {
  for (const xmlAttr* attribute = element->properties; attribute != nullptr;
       attribute = attribute->next) {
    if (attribute->ns == nullptr && equals(attribute->name, name)) return attribute;
  }
  return nullptr;
}

bool is_plain_text(const xmlNode* nodes) {
  return nodes != nullptr && nodes->type == XML_TEXT_NODE && nodes->next == nullptr;
}

}  // namespace

bool is_element(const xmlNode* node, std::string_view name) {
  return node->type == XML_ELEMENT_NODE && equals(node->name, name);
}

std::optional<std::string> EagleAttributes::get(const xmlNode* element, std::string_view name) {
  const xmlAttr* attribute = find_attribute(element, name);
  if (attribute == nullptr) return std::nullopt;
  if (attribute->children == nullptr) return std::string();
  if (is_plain_text(attribute->children)) return std::string(text_of(attribute->children->content));
  return expanded_value(attribute->children);
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
