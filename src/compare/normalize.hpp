// Text normalizations that bring differently written pin names and labels to one form.
// All are pure: no state, no failure.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tessan {

// Pin name in comparable form: "-", "/", en dash, em dash and minus sign become "_", ASCII
// letters are upper-cased, and one trailing "_" + digits group is cut (VDD_1 -> VDD).
std::string normalize_pin_name(std::string_view name);

// Pin number or pad label in comparable form: full Unicode upper case (ep -> EP).
std::string pin_number_key(std::string_view number);

// "VCC" or "GND" when the normalized name is one of the power aliases, else nothing.
std::optional<std::string_view> power_alias(std::string_view normalized_name);

// The signal-alias group name of a normalized name ("TXD" -> "TX", "VDD" -> "VCC"), or nothing.
// The power groups come first, so this agrees with `power_alias` where that gives a result.
std::optional<std::string_view> signal_alias(std::string_view normalized_name);

// The label without a trailing segment number: B_n -> B for a non-empty B and digits n
// (49_3 -> 49, EP_1 -> EP); any other label is returned as it is. `label` is upper-cased.
std::string fold_label(std::string_view label);

// The parts a normalized pin name is made of, signal aliases replaced by their group name:
// the whole name's group when it has one, else each maximal run of A-Z, 0-9 and "+".
// Overbar marks are ignored ("PC6_~{RESET}" -> {PC6, RESET}, "DO (IO1)" -> {IO1, MISO}), and
// a general-purpose port is written as its short form (GPIO9 -> IO9).
std::set<std::string> name_components(std::string_view normalized_name);

// A component that can tell pins apart: at least two characters, one of them A-Z.
bool is_identifying_component(std::string_view component);

// Maximal runs of ASCII letters and of ASCII digits; every other character separates and is
// dropped (IN1+ -> IN, 1).
std::vector<std::string> name_tokens(std::string_view normalized_name);

std::string remove_underscores(std::string_view text);

// The name without overbar marks (\ { } ~ !) and without one active-low suffix.
std::string strip_active_low(std::string_view normalized_name);

// True when `a` is "N" followed by `b`, and `b` has at least two characters (NRESET, RESET).
bool is_n_prefixed_form(std::string_view a, std::string_view b);

// True when the normalized name is one of the ground-class names (GND, AGND, VSS, ...).
bool is_ground_class(std::string_view normalized_name);

// True when the name, with every "." and "_" removed, is a no-connect or reserved name,
// optionally followed by digits (NC, N.C., N/C, DNC, RESERVED2).
bool is_no_connect_name(std::string_view normalized_name);

// True when the name, with every "_" removed, is one of the exposed-pad names.
bool is_exposed_pad_name(std::string_view normalized_name);

// Raw pin name in the form the Kelvin names are written in: upper case, "_" and dashes as "-".
std::string kelvin_name_form(std::string_view raw_name);

// True when the upper-cased package name contains one of the module names.
bool is_module_package(std::string_view package_name);

}  // namespace tessan
