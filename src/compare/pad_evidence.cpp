#include "compare/pad_evidence.hpp"

#include <algorithm>

#include "compare/normalize.hpp"

namespace tessan {
namespace {

std::string_view without_leading_zeros(std::string_view digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? std::string_view() : digits.substr(first);
}

std::vector<std::string> names_with_pad_count(const std::vector<PaddedSource>& padded,
                                              std::size_t count) {
  std::vector<std::string> names;
  for (const PaddedSource& p : padded) {
    if (p.source->pads.size() == count) names.push_back(p.source->name);
  }
  return names;
}

}  // namespace

PadEvidence gather_pad_evidence(const SourceRefs& sources) {
  PadEvidence evidence;
  for (const SourceData* source : sources) {
    if (!has_pads(*source)) continue;
    evidence.padded.push_back({source, electrical_pad_set(*source)});
    const LabelSet& labels = evidence.padded.back().electrical;
    evidence.all_electrical.insert(labels.begin(), labels.end());
  }
  if (evidence.padded.empty()) return evidence;
  const auto [fewest, most] =
      std::minmax_element(evidence.padded.begin(), evidence.padded.end(),
                          [](const PaddedSource& a, const PaddedSource& b) {
                            return a.source->pads.size() < b.source->pads.size();
                          });
  evidence.fewest = fewest->source->pads.size();
  evidence.most = most->source->pads.size();
  evidence.with_most = names_with_pad_count(evidence.padded, evidence.most);
  evidence.with_fewest = names_with_pad_count(evidence.padded, evidence.fewest);
  return evidence;
}

LabelPads no_geometry(const SourceData& /*source*/, const std::string& /*folded_label*/) {
  return LabelPads::NoGeometry;
}

std::vector<const Pin*> pins_on(const SourceData& source, const std::string& label) {
  std::vector<const Pin*> pins;
  for (const Pin& pin : source.pins) {
    if (folded_pin_number(pin) == label) pins.push_back(&pin);
  }
  return pins;
}

bool is_ground_or_exposed_name(std::string_view normalized_name) {
  return is_ground_class(normalized_name) || power_alias(normalized_name) == "GND" ||
         is_exposed_pad_name(normalized_name);
}

bool is_decimal_label(std::string_view label) {
  return !label.empty() &&
         std::all_of(label.begin(), label.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool decimal_less(std::string_view a, std::string_view b) {
  const std::string_view x = without_leading_zeros(a);
  const std::string_view y = without_leading_zeros(b);
  if (x.size() != y.size()) return x.size() < y.size();
  return x < y;
}

bool is_highest_decimal(const LabelSet& labels, const std::string& label) {
  if (!is_decimal_label(label)) return false;
  return std::all_of(labels.begin(), labels.end(), [&](const std::string& other) {
    return other == label || !is_decimal_label(other) || decimal_less(other, label);
  });
}

}  // namespace tessan
