#include "compare/normalize.hpp"

#include <algorithm>
#include <iterator>

#include "compare/unicode_upper.hpp"
#include "compare/vocabulary.hpp"

namespace tessan {
namespace {

// Dash characters other than "-", in UTF-8: en dash, em dash, minus sign.
constexpr std::string_view kEnDash = "\xE2\x80\x93";
constexpr std::string_view kEmDash = "\xE2\x80\x94";
constexpr std::string_view kMinusSign = "\xE2\x88\x92";

// Byte length of the wide dash that starts at `at`, or 0.
std::size_t wide_dash_length(std::string_view text, std::size_t at) {
  const std::string_view rest = text.substr(at);
  for (std::string_view dash : {kEnDash, kEmDash, kMinusSign}) {
    if (rest.starts_with(dash)) return dash.size();
  }
  return 0;
}

char ascii_upper_char(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool is_ascii_digit(char c) {
  return c >= '0' && c <= '9';
}
bool is_ascii_letter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Upper-cases ASCII letters, writes `separator` for each wide dash and for each character in
// `also_separators`, and copies every other byte.
std::string map_name_characters(std::string_view name, char separator,
                                std::string_view also_separators) {
  std::string result;
  result.reserve(name.size());
  for (std::size_t i = 0; i < name.size();) {
    if (const std::size_t dash = wide_dash_length(name, i); dash != 0) {
      result += separator;
      i += dash;
      continue;
    }
    const char c = name[i++];
    result += also_separators.find(c) != std::string_view::npos ? separator : ascii_upper_char(c);
  }
  return result;
}

bool is_component_char(char c) {
  return (c >= 'A' && c <= 'Z') || is_ascii_digit(c) || c == '+';
}

bool all_digits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), is_ascii_digit);
}

bool group_holds(const vocabulary::AliasGroup& group, std::string_view name) {
  return std::find(group.members.begin(), group.members.end(), name) != group.members.end();
}

std::optional<std::string_view> group_name_of(std::span<const vocabulary::AliasGroup> groups,
                                              std::string_view name) {
  for (const vocabulary::AliasGroup& group : groups) {
    if (group_holds(group, name)) return group.name;
  }
  return std::nullopt;
}

}  // namespace

std::string normalize_pin_name(std::string_view name) {
  std::string result = map_name_characters(name, '_', "-/");
  const std::size_t last = result.rfind('_');
  if (last != std::string::npos) {
    const std::string_view tail = std::string_view(result).substr(last + 1);
    if (!tail.empty() && all_digits(tail)) result.resize(last);
  }
  return result;
}

std::string pin_number_key(std::string_view number) {
  return unicode_upper(number);
}

std::optional<std::string_view> power_alias(std::string_view normalized_name) {
  return group_name_of(vocabulary::kPowerAliasGroups, normalized_name);
}

std::optional<std::string_view> signal_alias(std::string_view normalized_name) {
  return group_name_of(vocabulary::kSignalAliasGroups, normalized_name);
}

std::vector<std::string> name_tokens(std::string_view normalized_name) {
  std::vector<std::string> tokens;
  std::string current;
  auto flush = [&] {
    if (!current.empty()) tokens.push_back(std::move(current));
    current.clear();
  };
  for (const char c : normalized_name) {
    if (!is_ascii_digit(c) && !is_ascii_letter(c)) {
      flush();
      continue;
    }
    if (!current.empty() && is_ascii_digit(current.back()) != is_ascii_digit(c)) flush();
    current += c;
  }
  flush();
  return tokens;
}

std::string remove_underscores(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  std::copy_if(text.begin(), text.end(), std::back_inserter(result),
               [](char c) { return c != '_'; });
  return result;
}

std::string strip_active_low(std::string_view normalized_name) {
  std::string result;
  result.reserve(normalized_name.size());
  std::copy_if(
      normalized_name.begin(), normalized_name.end(), std::back_inserter(result),
      [](char c) { return vocabulary::kActiveLowMarks.find(c) == std::string_view::npos; });
  for (std::string_view suffix : vocabulary::kActiveLowSuffixes) {
    if (std::string_view(result).ends_with(suffix)) {
      result.resize(result.size() - suffix.size());
      break;
    }
  }
  return result;
}

bool is_n_prefixed_form(std::string_view a, std::string_view b) {
  return a.size() >= 3 && a.front() == 'N' && a.substr(1) == b && b.size() >= 2;
}

bool is_exposed_pad_name(std::string_view normalized_name) {
  const std::string bare = remove_underscores(normalized_name);
  const auto& names = vocabulary::kExposedPadNames;
  return std::find(names.begin(), names.end(), bare) != names.end();
}

std::string kelvin_name_form(std::string_view raw_name) {
  return map_name_characters(raw_name, '-', "_");
}

std::string fold_label(std::string_view label) {
  const std::size_t last = label.rfind('_');
  if (last == std::string_view::npos || last == 0) return std::string(label);
  const std::string_view segment = label.substr(last + 1);
  if (segment.empty() || !all_digits(segment)) return std::string(label);
  return std::string(label.substr(0, last));
}

bool is_ground_class(std::string_view normalized_name) {
  const auto& names = vocabulary::kGroundClassNames;
  return std::find(names.begin(), names.end(), normalized_name) != names.end();
}

bool is_no_connect_name(std::string_view normalized_name) {
  std::string bare;
  std::copy_if(normalized_name.begin(), normalized_name.end(), std::back_inserter(bare),
               [](char c) { return c != '.' && c != '_'; });
  const std::size_t digits = bare.find_last_not_of("0123456789");
  if (digits == std::string::npos) return false;
  bare.resize(digits + 1);
  const auto& names = vocabulary::kNoConnectNames;
  return std::find(names.begin(), names.end(), bare) != names.end();
}

std::set<std::string> name_components(std::string_view normalized_name) {
  std::string bare;
  std::copy_if(
      normalized_name.begin(), normalized_name.end(), std::back_inserter(bare),
      [](char c) { return vocabulary::kActiveLowMarks.find(c) == std::string_view::npos; });
  if (const auto group = signal_alias(bare)) return {std::string(*group)};
  std::set<std::string> components;
  auto add = [&](std::string run) {
    if (run.empty()) return;
    const std::size_t prefix = vocabulary::kGeneralPortPrefix.size();
    if (run.size() > prefix && run.starts_with(vocabulary::kGeneralPortPrefix) &&
        all_digits(std::string_view(run).substr(prefix))) {
      run = std::string(vocabulary::kPortPrefix) + run.substr(prefix);
    }
    const auto group = signal_alias(run);
    components.insert(group ? std::string(*group) : std::move(run));
  };
  std::string run;
  for (const char c : bare) {
    if (is_component_char(c)) {
      run += c;
    } else {
      add(std::move(run));
      run.clear();
    }
  }
  add(std::move(run));
  return components;
}

bool is_identifying_component(std::string_view component) {
  return component.size() >= 2 && std::any_of(component.begin(), component.end(),
                                              [](char c) { return c >= 'A' && c <= 'Z'; });
}

bool is_module_package(std::string_view package_name) {
  const std::string upper = unicode_upper(package_name);
  const auto& names = vocabulary::kModuleNames;
  return std::any_of(names.begin(), names.end(), [&](std::string_view module_name) {
    return upper.find(module_name) != std::string::npos;
  });
}

}  // namespace tessan
