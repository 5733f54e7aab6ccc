// Tests of two normalized names given to one pin by two libraries: the spellings that real
// libraries use for the same pin (signs, active-low marks, ground and no-connect classes,
// serial-port instances).
#pragma once

#include <string>
#include <string_view>

namespace tessan {

enum class SignRelation { None, Same, Opposite };

// What the signs or polarity letters of the two names say: the same sign on one name
// (+IN = IN+, INNA = INA-, CLKP = CLK+), opposite signs on one name (INA- against INA+, D+
// against DN), or nothing to compare. A leading "_" (from "-" or "/") counts as minus only
// against a name with a sign of its own.
SignRelation sign_relation(std::string_view a, std::string_view b);

// The name without active-low marks: overbar characters and "*", a leading "_" (from "/"),
// one active-low suffix, and then every "_" (NSCS, SCS_N, *CS, /CS -> NSCS, SCS, CS, CS).
std::string active_low_base(std::string_view name);

// The same name apart from active-low marks, a prefix "N" counting as one (SCS_N = NSCS).
bool same_active_low_name(std::string_view a, std::string_view b);

// +1 when `a` carries the active-low mark that `b` lacks, -1 for the opposite, 0 otherwise.
int active_low_direction(std::string_view a, std::string_view b);

// Two ground-class names (GND, AGND, VSS, ...), or an exposed-pad name against one.
bool ground_class_pair(std::string_view a, std::string_view b);

// Two no-connect or reserved names (NC1 = N.C.).
bool both_no_connect(std::string_view a, std::string_view b);

// A serial-port name with an instance digit against the same name without one (TXD0 = TXD,
// never TXD0 = TXD1).
bool same_uart_port(std::string_view a, std::string_view b);

}  // namespace tessan
