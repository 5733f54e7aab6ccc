// Classification of a package or footprint name into a package family.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace tessan {

// The family of a package name ("SOP65P640X120-20N" -> "TSSOP", "DGS0010A" -> "VSSOP");
// "UNKNOWN" when no rule applies, including for an empty name.
std::string_view classify_package_family(std::string_view package_name);

// The body-style class of a family ("leaded", "leadless", "array", "through-hole", "module"),
// or nothing (UNKNOWN has no class).
std::optional<std::string_view> family_class(std::string_view family);

// True when every family but UNKNOWN lies in one class: the package names may differ only
// as labels of one body style.
bool families_share_a_class(const std::vector<std::string_view>& families);

}  // namespace tessan
