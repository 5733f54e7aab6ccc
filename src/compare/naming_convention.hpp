// Explanation of pin-name differences that are only a different way of writing one name.
#pragma once

#include <optional>
#include <string_view>

#include "compare/source_set.hpp"
#include "result_doc.hpp"

namespace tessan {

// True when normalized names `a` and `b` are the same pin written two ways: channel digit
// placed differently, power aliases, underscores, active-low marks, two exposed-pad names, or
// one name's components (signal aliases folded) within the other's.
bool is_benign_rename(std::string_view a, std::string_view b);

// The first of the rules above that accepts `a` and `b` as one pin, as a short phrase
// ("power alias", ...); nothing when none does.
std::optional<std::string_view> benign_rename_rule(std::string_view a, std::string_view b);

// A `NamingConventionMismatch` when every differing pin name between the first source with
// named pins and each other one is benign (`benign_at`); nothing otherwise. With equal pin
// counts (`pin_counts_agree`) the sources must also number the same pins.
std::optional<NamingConventionMismatch> naming_convention_variant(const SourceRefs& sources,
                                                                  bool pin_counts_agree);

}  // namespace tessan
