// The JSON keys of every result-document record, in document order, shared by the writer and
// the reader: `each_field(record, visit)` calls visit(key, member) for each member in turn.
// The tags `action` and `kind` are not members; they come from the record's alternative.
#pragma once

#include <concepts>
#include <type_traits>

#include "result_doc.hpp"

namespace tessan::fields {

// A record, possibly const.
template <class R, class T>
concept RecordOf = std::same_as<std::remove_const_t<R>, T>;

template <RecordOf<ResultDoc> R, class Visit>
void each_field(R& r, Visit&& visit) {
  visit("schema_version", r.schema_version);
  visit("status", r.status);
  visit("exit_code", r.exit_code);
  visit("mpn", r.mpn);
  visit("summary", r.summary);
  visit("sources_compared", r.sources_compared);
  visit("sources_missing", r.sources_missing);
  visit("axes", r.axes);
  visit("variants", r.variants);
  visit("hints", r.hints);
  visit("extractor_version", r.extractor_version);
}

template <RecordOf<AxisOutcome> R, class Visit>
void each_field(R& r, Visit&& visit) {
  visit("axis", r.axis);
  visit("verdict", r.verdict);
  visit("values", r.values);
  visit("conflicts", r.conflicts);
  visit("severity", r.severity);
}

// ---- Hints ----
template <RecordOf<RefetchLibrarySource> R, class Visit>
void each_field(R& r, Visit&& visit) {
  visit("format", r.format);
  visit("suspect", r.suspect);
  visit("notes", r.notes);
  visit("suggested_sources", r.suggested_sources);
  visit("expected_resolution", r.expected_resolution);
}

template <RecordOf<UlSymbolHasStubNames> R, class Visit>
void each_field(R& r, Visit&& visit) {
  visit("source", r.source);
  visit("pin_count", r.pin_count);
  visit("suggestion", r.suggestion);
  visit("harvo_action", r.harvo_action);
}

template <RecordOf<RerunQuarnWithStrongerModel> R, class Visit>
void each_field(R& r, Visit&& visit) {
  visit("reason", r.reason);
  visit("suspect_field", r.suspect_field);
  visit("suggested_model", r.suggested_model);
}

template <RecordOf<AcceptWithCaveats> R, class Visit>
void each_field(R& r, Visit&& visit) {
  visit("caveats", r.caveats);
}

template <RecordOf<HumanReview> R, class Visit>
void each_field(R& r, Visit&& visit) {
  visit("reason", r.reason);
  visit("notes", r.notes);
}

template <RecordOf<SourceParseFailed> R, class Visit>
void each_field(R& r, Visit&& visit) {
  visit("format", r.format);
  visit("path", r.path);
  visit("error", r.error);
}

// ---- Variants ----
template <RecordOf<ExposedPadVariant> R, class Visit>
void each_field(R& r, Visit&& visit) {
  visit("sources_with_ep", r.sources_with_ep);
  visit("sources_without_ep", r.sources_without_ep);
}

template <RecordOf<ModuleExtraPads> R, class Visit>
void each_field(R& r, Visit&& visit) {
  visit("sources_with_extras", r.sources_with_extras);
  visit("sources_without_extras", r.sources_without_extras);
  visit("extra_count", r.extra_count);
}

template <RecordOf<LabelOnlyMismatch> R, class Visit>
void each_field(R& r, Visit&& visit) {
  visit("notes", r.notes);
}

template <RecordOf<StubSymbolPinNames> R, class Visit>
void each_field(R& r, Visit&& visit) {
  visit("stub_sources", r.stub_sources);
  visit("canonical_sources", r.canonical_sources);
}

template <RecordOf<BodyDimMeasurementArtifact> R, class Visit>
void each_field(R& r, Visit&& visit) {
  visit("notes", r.notes);
}

template <RecordOf<NamingConventionMismatch> R, class Visit>
void each_field(R& r, Visit&& visit) {
  visit("examples", r.examples);
}

template <RecordOf<KelvinSenseRepresentation> R, class Visit>
void each_field(R& r, Visit&& visit) {
  visit("sources_with_kelvin", r.sources_with_kelvin);
  visit("sources_without_kelvin", r.sources_without_kelvin);
  visit("kelvin_pin_names", r.kelvin_pin_names);
}

}  // namespace tessan::fields
