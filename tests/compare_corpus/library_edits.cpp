#include "library_edits.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>

namespace tessan::testing {
namespace {

// The end (one past the closing parenthesis) of the S-expression opening at `open`.
std::size_t sexpr_end(const std::string& text, std::size_t open) {
  int depth = 0;
  bool quoted = false;
  for (std::size_t i = open; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '\\')
        ++i;
      else if (c == '"')
        quoted = false;
    } else if (c == '"') {
      quoted = true;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')' && --depth == 0) {
      return i + 1;
    }
  }
  ADD_FAILURE() << "unbalanced S-expression";
  return text.size();
}

struct PinBlock {
  std::size_t begin;
  std::size_t end;
};

std::vector<PinBlock> kicad_pin_blocks(const std::string& text) {
  std::vector<PinBlock> blocks;
  for (std::size_t at = text.find("(pin "); at != std::string::npos; at = text.find("(pin ", at)) {
    const std::size_t end = sexpr_end(text, at);
    blocks.push_back({at, end});
    at = end;
  }
  return blocks;
}

const std::regex kNameField(R"re(\(name "([^"]*)")re");
const std::regex kNumberField(R"re(\(number "([^"]*)")re");

std::string field(const std::string& block, const std::regex& pattern) {
  std::smatch match;
  return std::regex_search(block, match, pattern) ? match[1].str() : std::string();
}

// Rewrites the blocks from last to first, so that earlier offsets stay valid.
template <class Edit>
void edit_pin_blocks(std::string& text, Edit edit) {
  const std::vector<PinBlock> blocks = kicad_pin_blocks(text);
  for (auto it = blocks.rbegin(); it != blocks.rend(); ++it) {
    std::string block = text.substr(it->begin, it->end - it->begin);
    if (edit(block)) text.replace(it->begin, it->end - it->begin, block);
  }
}

void set_field(std::string& block, const std::regex& pattern, std::string_view key,
               const std::string& value) {
  std::smatch match;
  if (!std::regex_search(block, match, pattern)) return;
  block.replace(static_cast<std::size_t>(match.position(0)),
                static_cast<std::size_t>(match.length(0)),
                "(" + std::string(key) + " \"" + value + "\"");
}

// The first device's connects.
std::pair<std::size_t, std::size_t> connects_region(const std::string& text) {
  const std::size_t begin = text.find("<connects>");
  const std::size_t end = text.find("</connects>", begin);
  EXPECT_NE(begin, std::string::npos);
  EXPECT_NE(end, std::string::npos);
  return {begin, end};
}

}  // namespace

void replace_all(std::string& text, std::string_view from, std::string_view to) {
  ASSERT_NE(text.find(from), std::string::npos) << from;
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

void swap_texts(std::string& text, std::string_view a, std::string_view b) {
  ASSERT_NE(text.find(a), std::string::npos) << a;
  ASSERT_NE(text.find(b), std::string::npos) << b;
  const std::string marker = "\x01swap\x01";
  replace_all(text, a, marker);
  replace_all(text, b, a);
  replace_all(text, marker, b);
}

void replace_first(std::string& text, std::string_view from, std::string_view to) {
  const std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

void erase_line(std::string& text, std::string_view needle) {
  const std::size_t at = text.find(needle);
  ASSERT_NE(at, std::string::npos) << needle;
  const std::size_t begin = text.rfind('\n', at) + 1;  // npos + 1 is 0: the first line
  const std::size_t end = text.find('\n', at);
  text.erase(begin, end == std::string::npos ? std::string::npos : end - begin + 1);
}

void remove_sexpr(std::string& text, std::string_view head) {
  const std::size_t at = text.find(head);
  ASSERT_NE(at, std::string::npos) << head;
  std::size_t end = sexpr_end(text, at);
  while (end < text.size() && (text[end] == '\r' || text[end] == '\n')) ++end;
  text.erase(at, end - at);
}

std::vector<std::pair<std::string, std::string>> kicad_pins(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> pins;
  for (const PinBlock& b : kicad_pin_blocks(text)) {
    const std::string block = text.substr(b.begin, b.end - b.begin);
    pins.emplace_back(field(block, kNumberField), field(block, kNameField));
  }
  return pins;
}

void remove_kicad_pin(std::string& text, std::string_view number) {
  std::size_t removed = 0;
  const std::vector<PinBlock> blocks = kicad_pin_blocks(text);
  for (auto it = blocks.rbegin(); it != blocks.rend(); ++it) {
    if (field(text.substr(it->begin, it->end - it->begin), kNumberField) != number) continue;
    std::size_t end = it->end;
    while (end < text.size() && (text[end] == '\r' || text[end] == '\n')) ++end;
    text.erase(it->begin, end - it->begin);
    ++removed;
  }
  EXPECT_EQ(removed, 1u) << number;
}

void rename_kicad_pins(std::string& text, const std::map<std::string, std::string>& names) {
  std::size_t renamed = 0;
  edit_pin_blocks(text, [&](std::string& block) {
    const auto found = names.find(field(block, kNumberField));
    if (found == names.end()) return false;
    set_field(block, kNameField, "name", found->second);
    ++renamed;
    return true;
  });
  EXPECT_EQ(renamed, names.size());
}

void renumber_kicad_pin(std::string& text, std::string_view from, std::string_view to) {
  std::size_t renumbered = 0;
  edit_pin_blocks(text, [&](std::string& block) {
    if (field(block, kNumberField) != from) return false;
    set_field(block, kNumberField, "number", std::string(to));
    ++renumbered;
    return true;
  });
  EXPECT_EQ(renumbered, 1u);
}

void add_kicad_pin(std::string& text, std::string_view copy_of, const std::string& number,
                   const std::string& name) {
  for (const PinBlock& b : kicad_pin_blocks(text)) {
    std::string block = text.substr(b.begin, b.end - b.begin);
    if (field(block, kNumberField) != copy_of) continue;
    set_field(block, kNumberField, "number", number);
    set_field(block, kNameField, "name", name);
    text.insert(b.end, "\n" + block);
    return;
  }
  ADD_FAILURE() << "no pin " << copy_of;
}

void add_kicad_pad(std::string& text, std::string_view copy_of, std::string_view label) {
  const std::string head = "(pad " + std::string(copy_of) + " ";
  const std::size_t at = text.find(head);
  ASSERT_NE(at, std::string::npos) << head;
  const std::size_t end = sexpr_end(text, at);
  const std::string pad =
      "(pad " + std::string(label) + " " + text.substr(at + head.size(), end - at - head.size());
  text.insert(end, "\n  " + pad);
}

void stub_kicad_pin_names(std::string& text) {
  std::map<std::string, std::string> names;
  for (const auto& [number, name] : kicad_pins(text)) names[number] = number;
  rename_kicad_pins(text, names);
}

void shift_kicad_pin_names(std::string& text) {
  std::vector<std::pair<std::string, std::string>> pins = kicad_pins(text);
  std::sort(pins.begin(), pins.end(),
            [](const auto& a, const auto& b) { return std::stoi(a.first) < std::stoi(b.first); });
  std::map<std::string, std::string> shifted;
  for (std::size_t i = 0; i < pins.size(); ++i) {
    shifted[pins[(i + 1) % pins.size()].first] = pins[i].second;
  }
  rename_kicad_pins(text, shifted);
}

void set_eagle_connect_pads(std::string& text, std::string_view pin, std::string_view pads) {
  const auto [begin, end] = connects_region(text);
  const std::string head = "pin=\"" + std::string(pin) + "\" pad=\"";
  const std::size_t at = text.find(head, begin);
  ASSERT_LT(at, end) << pin;
  const std::size_t value = at + head.size();
  text.replace(value, text.find('"', value) - value, pads);
}

void shift_eagle_connects(std::string& text, int count) {
  const auto [begin, end] = connects_region(text);
  std::string region = text.substr(begin, end - begin);
  const std::regex pad_list(R"re(pad="([^"]*)")re");
  std::string shifted;
  auto last = region.cbegin();
  for (std::sregex_iterator it(region.begin(), region.end(), pad_list), stop; it != stop; ++it) {
    shifted.append(last, (*it)[0].first);
    std::string pads;
    std::istringstream words((*it)[1].str());
    for (std::string pad; words >> pad;) {
      if (!pads.empty()) pads += ' ';
      pads += std::to_string(std::stoi(pad) % count + 1);
    }
    shifted += "pad=\"" + pads + "\"";
    last = (*it)[0].second;
  }
  shifted.append(last, region.cend());
  text.replace(begin, end - begin, shifted);
}

void rename_eagle_pin(std::string& text, std::string_view from, std::string_view to) {
  const std::string pin = std::string(from);
  replace_first(text, "<pin name=\"" + pin + "\"", "<pin name=\"" + std::string(to) + "\"");
  replace_first(text, "pin=\"" + pin + "\" pad=", "pin=\"" + std::string(to) + "\" pad=");
}

}  // namespace tessan::testing
