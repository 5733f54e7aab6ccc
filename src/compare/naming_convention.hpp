// Explanation of pin-name differences that are only a different way of writing one name.
#pragma once

#include <optional>
#include <string_view>

#include "compare/source_set.hpp"
#include "result_doc.hpp"

namespace tessan {

// True when normalized names `a` and `b` are the same pin written two ways, by any test but
// the nesting of components: the sign or polarity written another way (never opposite signs),
// channel digit placed differently, power aliases, underscores, active-low marks, two
// exposed-pad names, ground classes, no-connect names, a serial port's instance digit.
bool is_benign_spelling(std::string_view a, std::string_view b);

// The first test of `is_benign_spelling` that accepts `a` and `b`, as a short phrase ("power
// alias", ...); nothing when none does.
std::optional<std::string_view> benign_spelling_rule(std::string_view a, std::string_view b);

// One name's components (signal aliases folded) lie within the other's, all of them
// identifying; a power name must match exactly (VDD against VDD_SENSE is not one pin).
bool nested_components(std::string_view a, std::string_view b);

// `is_benign_spelling`, or components nested without opposite signs: the judgement of two
// names alone, without the other pins of the part.
bool is_benign_rename(std::string_view a, std::string_view b);

// The phrase naming the nesting of components.
inline constexpr std::string_view kNestedComponentsRule = "one name's parts within the other's";

// The first of the rules above that accepts `a` and `b` as one pin, as a short phrase
// ("power alias", ...); nothing when none does.
std::optional<std::string_view> benign_rename_rule(std::string_view a, std::string_view b);

// A `NamingConventionMismatch` when every differing pin name between the first source with
// named pins and each other one is benign (`benign_at`); nothing otherwise. With equal pin
// counts (`pin_counts_agree`) the sources must also number the same pins, no-connect pins
// that only some symbols draw aside. Those pins are examples too ("pin 5: kicad=NC ↔
// eagle=(not drawn)") when every pin that some symbols lack is one and the pin counts agree
// without them.
std::optional<NamingConventionMismatch> naming_convention_variant(const SourceRefs& sources,
                                                                  bool pin_counts_agree);

// True when every pin-name difference between the symbols with named pins is one that the
// naming step accepts: benign renames, and pins that only some draw being no-connect pins.
bool pin_names_accepted(const SourceRefs& sources);

}  // namespace tessan
