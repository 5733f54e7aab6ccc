// The records of the result document that `check` writes and `inspect` reads back.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "tessan_error.hpp"

namespace tessan {

inline constexpr std::string_view kVersion = "0.8.0";
inline constexpr std::string_view kSchemaVersion = "1";

enum class Status { Golden, GoldenWithVariants, Divergent, Unrecoverable };
enum class Verdict : std::uint8_t { Agree = 0, SourceMissing = 1, Disagree = 2 };

struct AxisOutcome {
  std::string axis;
  Verdict verdict = Verdict::Agree;
  std::map<std::string, std::string> values;  // source name -> display text, byte order
  std::vector<std::string> conflicts;
  std::uint8_t severity = 0;

  bool operator==(const AxisOutcome&) const = default;
};

// ---- Hints, in their enumeration order ----
struct RefetchLibrarySource {
  std::string format;
  std::string suspect;
  std::string notes;
  std::vector<std::string> suggested_sources;
  std::string expected_resolution;
  bool operator==(const RefetchLibrarySource&) const = default;
};
struct UlSymbolHasStubNames {
  std::string source;
  std::uint32_t pin_count = 0;
  std::string suggestion;
  std::string harvo_action;
  bool operator==(const UlSymbolHasStubNames&) const = default;
};
struct RerunQuarnWithStrongerModel {
  std::string reason;
  std::string suspect_field;
  std::string suggested_model;
  bool operator==(const RerunQuarnWithStrongerModel&) const = default;
};
struct AcceptWithCaveats {
  std::vector<std::string> caveats;
  bool operator==(const AcceptWithCaveats&) const = default;
};
struct HumanReview {
  std::string reason;
  std::string notes;
  bool operator==(const HumanReview&) const = default;
};
struct SourceParseFailed {
  std::string format;
  std::filesystem::path path;
  std::string error;
  bool operator==(const SourceParseFailed&) const = default;
};
using Hint = std::variant<RefetchLibrarySource, UlSymbolHasStubNames, RerunQuarnWithStrongerModel,
                          AcceptWithCaveats, HumanReview, SourceParseFailed>;

// ---- Variants, in their enumeration order ----
struct ExposedPadVariant {
  std::vector<std::string> sources_with_ep;
  std::vector<std::string> sources_without_ep;
  bool operator==(const ExposedPadVariant&) const = default;
};
struct ModuleExtraPads {
  std::vector<std::string> sources_with_extras;
  std::vector<std::string> sources_without_extras;
  std::uint32_t extra_count = 0;
  bool operator==(const ModuleExtraPads&) const = default;
};
struct LabelOnlyMismatch {
  std::string notes;
  bool operator==(const LabelOnlyMismatch&) const = default;
};
struct StubSymbolPinNames {
  std::vector<std::string> stub_sources;
  std::vector<std::string> canonical_sources;
  bool operator==(const StubSymbolPinNames&) const = default;
};
struct BodyDimMeasurementArtifact {
  std::string notes;
  bool operator==(const BodyDimMeasurementArtifact&) const = default;
};
// An example naming a pin that one symbol does not draw ends with "=(not drawn)"; with one,
// the variant also explains the pin counts.
inline constexpr std::string_view kNotDrawn = "(not drawn)";
struct NamingConventionMismatch {
  std::vector<std::string> examples;
  bool operator==(const NamingConventionMismatch&) const = default;
};
struct KelvinSenseRepresentation {
  std::vector<std::string> sources_with_kelvin;
  std::vector<std::string> sources_without_kelvin;
  std::vector<std::string> kelvin_pin_names;
  bool operator==(const KelvinSenseRepresentation&) const = default;
};
using Variant =
    std::variant<ExposedPadVariant, ModuleExtraPads, LabelOnlyMismatch, StubSymbolPinNames,
                 BodyDimMeasurementArtifact, NamingConventionMismatch, KelvinSenseRepresentation>;

struct ResultDoc {
  std::string schema_version{kSchemaVersion};
  Status status = Status::Unrecoverable;
  std::int32_t exit_code = 3;
  std::string mpn;
  std::string summary;
  std::vector<std::string> sources_compared;
  std::vector<std::string> sources_missing;
  std::vector<AxisOutcome> axes;
  std::vector<Variant> variants;
  std::vector<Hint> hints;
  std::string extractor_version{kVersion};

  bool operator==(const ResultDoc&) const = default;
};

// ---- Enumeration texts ----
std::string_view status_text(Status s);                  // "golden", ...
std::string_view status_enum_name(Status s);             // "Golden", ...
std::string_view verdict_text(Verdict v);                // "agree", ...
std::string_view verdict_enum_name(Verdict v);           // "Agree", ...
std::int32_t status_exit_code(Status s);                 // 0, 0, 2, 3
std::string_view hint_action(const Hint& h);             // "refetch_library_source", ...
std::string_view variant_kind(const Variant& v);         // "exposed_pad_variant", ...
std::string_view variant_short_label(const Variant& v);  // "ep", "module_extras", ...
// The axis names that a variant of this kind explains; a naming variant with an undrawn pin
// (`kNotDrawn`) explains "symbol_pin_count" too.
const std::vector<std::string_view>& variant_covered_axes(const Variant& v);

}  // namespace tessan
