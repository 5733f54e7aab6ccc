// What the pad variants look at: the electrical pads of every source that has pads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "compare/pin_maps.hpp"
#include "compare/source_set.hpp"

namespace tessan {

struct PaddedSource {
  const SourceData* source;
  LabelSet electrical;  // `electrical_pad_set`
};

struct PadEvidence {
  std::vector<PaddedSource> padded;  // the sources with pads, in order
  LabelSet all_electrical;           // the union of their electrical pads
  std::size_t fewest = 0;            // smallest and largest pad count
  std::size_t most = 0;
  std::vector<std::string> with_most;    // names of the sources with `most` pads
  std::vector<std::string> with_fewest;  // names of the sources with `fewest` pads
};

PadEvidence gather_pad_evidence(const SourceRefs& sources);

// What a source's footprint geometry says about the pads of one folded label: nothing (the
// source has no usable geometry), that they are vias, paste, holes or an exposed pad, or that
// they are something else.
enum class LabelPads : std::uint8_t { NoGeometry, ViaPasteHoleOrEp, Other };
using LabelPadLookup =
    std::function<LabelPads(const SourceData& source, const std::string& folded_label)>;

// The lookup for comparisons without geometry: `NoGeometry` for every label.
LabelPads no_geometry(const SourceData& source, const std::string& folded_label);

// The pins whose folded number is `label`, in pin order.
std::vector<const Pin*> pins_on(const SourceData& source, const std::string& label);

// A ground-class, ground-alias or exposed-pad name (normalized).
bool is_ground_or_exposed_name(std::string_view normalized_name);

// A label made of ASCII digits only.
bool is_decimal_label(std::string_view label);

// Numeric order of two decimal labels, of any length ("007" equals "7").
bool decimal_less(std::string_view a, std::string_view b);

// True when `label` is decimal and numerically above every other decimal label of `labels`.
bool is_highest_decimal(const LabelSet& labels, const std::string& label);

}  // namespace tessan
