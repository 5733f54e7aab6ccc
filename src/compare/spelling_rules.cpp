#include "compare/spelling_rules.hpp"

#include <algorithm>
#include <optional>

#include "compare/normalize.hpp"
#include "compare/vocabulary.hpp"

namespace tessan {
namespace {

struct SignedName {
  std::string body;  // without the sign and without "_"
  char sign = 0;     // '+', '-', '?' (leading "_": minus or active low) or 0
};

SignedName signed_name(std::string_view name) {
  if (name.size() < 2) return {remove_underscores(name), 0};
  if (name.back() == '+') return {remove_underscores(name.substr(0, name.size() - 1)), '+'};
  if (name.back() == '_') return {remove_underscores(name.substr(0, name.size() - 1)), '-'};
  if (name.front() == '+') return {remove_underscores(name.substr(1)), '+'};
  if (name.front() == '_') return {remove_underscores(name.substr(1)), '?'};
  return {remove_underscores(name), 0};
}

char polarity_sign(char letter) {
  return letter == 'P' ? '+' : (letter == 'N' ? '-' : 0);
}

// The name read with P or N as its sign: after IN (INNA -> INA, -) or at the end (CLKP).
std::optional<SignedName> polarity_name(std::string_view name, const std::string& body) {
  const std::string bare = remove_underscores(name);
  const std::string_view in = vocabulary::kInputPrefix;
  if (bare.size() > in.size() && bare.starts_with(in) && polarity_sign(bare[in.size()]) != 0) {
    SignedName input{std::string(in) + bare.substr(in.size() + 1), polarity_sign(bare[in.size()])};
    if (input.body == body) return input;
  }
  if (bare.size() >= 2 && polarity_sign(bare.back()) != 0) {
    SignedName tail{bare.substr(0, bare.size() - 1), polarity_sign(bare.back())};
    if (tail.body == body) return tail;
  }
  return std::nullopt;
}

SignRelation compare_signs(char a, char b) {
  return a == b ? SignRelation::Same : SignRelation::Opposite;
}

// `with` carries a sign; `other` none.
SignRelation against_unsigned(const SignedName& with, std::string_view other) {
  if (with.sign == '?') return SignRelation::None;
  const auto read = polarity_name(other, with.body);
  return read ? compare_signs(with.sign, read->sign) : SignRelation::None;
}

bool is_marked(std::string_view name) {
  if (name.find_first_of(vocabulary::kActiveLowMarks) != std::string_view::npos) return true;
  if (name.starts_with('_')) return true;
  const auto& suffixes = vocabulary::kActiveLowSuffixes;
  return std::any_of(suffixes.begin(), suffixes.end(),
                     [&](std::string_view suffix) { return name.ends_with(suffix); });
}

bool all_digits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The serial-port name without its instance digits (TXD0 -> TXD), or nothing.
std::optional<std::string_view> uart_base(std::string_view name) {
  for (std::string_view port : vocabulary::kUartNames) {
    if (name.starts_with(port) && all_digits(name.substr(port.size()))) return port;
  }
  return std::nullopt;
}

bool one_uart_instance(std::string_view numbered, std::string_view plain) {
  const auto base = uart_base(numbered);
  if (!base || uart_base(plain)) return false;
  const auto group = signal_alias(*base);
  return group && signal_alias(plain) == group;
}

}  // namespace

SignRelation sign_relation(std::string_view a, std::string_view b) {
  const SignedName sa = signed_name(a);
  const SignedName sb = signed_name(b);
  if (sa.sign != 0 && sb.sign != 0) {
    if (sa.body != sb.body || (sa.sign == '?' && sb.sign == '?')) return SignRelation::None;
    const char sign_a = sa.sign == '?' ? '-' : sa.sign;
    const char sign_b = sb.sign == '?' ? '-' : sb.sign;
    return compare_signs(sign_a, sign_b);
  }
  if (sa.sign != 0) return against_unsigned(sa, b);
  if (sb.sign != 0) return against_unsigned(sb, a);
  return SignRelation::None;
}

std::string active_low_base(std::string_view name) {
  std::string base;
  std::copy_if(name.begin(), name.end(), std::back_inserter(base), [](char c) {
    return vocabulary::kActiveLowMarks.find(c) == std::string_view::npos;
  });
  if (base.starts_with('_')) base.erase(0, 1);
  for (std::string_view suffix : vocabulary::kActiveLowSuffixes) {
    if (std::string_view(base).ends_with(suffix)) {
      base.resize(base.size() - suffix.size());
      break;
    }
  }
  return remove_underscores(base);
}

bool same_active_low_name(std::string_view a, std::string_view b) {
  const std::string base_a = active_low_base(a);
  const std::string base_b = active_low_base(b);
  return (base_a.size() >= 2 && base_a == base_b) || is_n_prefixed_form(base_a, base_b) ||
         is_n_prefixed_form(base_b, base_a);
}

int active_low_direction(std::string_view a, std::string_view b) {
  if (!same_active_low_name(a, b)) return 0;
  const std::string base_a = active_low_base(a);
  const std::string base_b = active_low_base(b);
  const bool low_a = is_marked(a) || is_n_prefixed_form(base_a, base_b);
  const bool low_b = is_marked(b) || is_n_prefixed_form(base_b, base_a);
  return static_cast<int>(low_a) - static_cast<int>(low_b);
}

bool ground_class_pair(std::string_view a, std::string_view b) {
  const bool ground_a = is_ground_class(a);
  const bool ground_b = is_ground_class(b);
  return (ground_a && ground_b) || (ground_a && is_exposed_pad_name(b)) ||
         (ground_b && is_exposed_pad_name(a));
}

bool both_no_connect(std::string_view a, std::string_view b) {
  return is_no_connect_name(a) && is_no_connect_name(b);
}

bool same_uart_port(std::string_view a, std::string_view b) {
  return one_uart_instance(a, b) || one_uart_instance(b, a);
}

}  // namespace tessan
