#include "result_doc.hpp"

#include <algorithm>
#include <array>

namespace tessan {

std::string_view status_text(Status s) {
  static constexpr std::array<std::string_view, 4> kTexts = {"golden", "golden_with_variants",
                                                             "divergent", "unrecoverable"};
  return kTexts[static_cast<std::size_t>(s)];
}

std::string_view status_enum_name(Status s) {
  static constexpr std::array<std::string_view, 4> kNames = {"Golden", "GoldenWithVariants",
                                                             "Divergent", "Unrecoverable"};
  return kNames[static_cast<std::size_t>(s)];
}

std::string_view verdict_text(Verdict v) {
  static constexpr std::array<std::string_view, 3> kTexts = {"agree", "source_missing", "disagree"};
  return kTexts[static_cast<std::size_t>(v)];
}

std::string_view verdict_enum_name(Verdict v) {
  static constexpr std::array<std::string_view, 3> kNames = {"Agree", "SourceMissing", "Disagree"};
  return kNames[static_cast<std::size_t>(v)];
}

std::int32_t status_exit_code(Status s) {
  static constexpr std::array<std::int32_t, 4> kCodes = {0, 0, 2, 3};
  return kCodes[static_cast<std::size_t>(s)];
}

std::string_view hint_action(const Hint& h) {
  static constexpr std::array<std::string_view, 6> kActions = {"refetch_library_source",
                                                               "ul_symbol_has_stub_names",
                                                               "rerun_quarn_with_stronger_model",
                                                               "accept_with_caveats",
                                                               "human_review",
                                                               "source_parse_failed"};
  return kActions[h.index()];
}

std::string_view variant_kind(const Variant& v) {
  static constexpr std::array<std::string_view, 7> kKinds = {
      "exposed_pad_variant",           "module_extra_pads",
      "label_only_mismatch",           "stub_symbol_pin_names",
      "body_dim_measurement_artifact", "naming_convention_mismatch",
      "kelvin_sense_representation"};
  return kKinds[v.index()];
}

std::string_view variant_short_label(const Variant& v) {
  static constexpr std::array<std::string_view, 7> kLabels = {"ep",
                                                              "module_extras",
                                                              "label_only",
                                                              "stub_pin_names",
                                                              "body_dim_artifact",
                                                              "naming_convention",
                                                              "kelvin_sense"};
  return kLabels[v.index()];
}

const std::vector<std::string_view>& variant_covered_axes(const Variant& v) {
  static const std::vector<std::string_view> kPadAndPin = {
      "pad_count", "pad_numbers", "symbol_pin_count", "pin_names", "pin_to_pad_map"};
  static const std::vector<std::string_view> kFamily = {"package_family"};
  static const std::vector<std::string_view> kPinNames = {"pin_names", "pin_to_pad_map"};
  static const std::vector<std::string_view> kPinCountAndNames = {"symbol_pin_count", "pin_names",
                                                                  "pin_to_pad_map"};
  static const std::vector<std::string_view> kBody = {"body_dims"};
  static const std::vector<std::string_view> kKelvin = {
      "pad_count", "pad_numbers", "symbol_pin_count", "pin_names", "pin_to_pad_map", "body_dims"};
  static const std::array<const std::vector<std::string_view>*, 7> kByKind = {
      &kPadAndPin, &kPadAndPin, &kFamily, &kPinNames, &kBody, &kPinNames, &kKelvin};
  if (const auto* naming = std::get_if<NamingConventionMismatch>(&v)) {
    const auto& examples = naming->examples;
    const bool undrawn = std::any_of(examples.begin(), examples.end(), [](const std::string& e) {
      return std::string_view(e).ends_with("=" + std::string(kNotDrawn));
    });
    if (undrawn) return kPinCountAndNames;
  }
  return *kByKind[v.index()];
}

}  // namespace tessan
