// Classification of a package or footprint name into a package family.
#pragma once

#include <string_view>

namespace tessan {

// The family of a package name ("SOP65P640X120-20N" -> "TSSOP", "DGS0010A" -> "VSSOP");
// "UNKNOWN" when no rule applies, including for an empty name.
std::string_view classify_package_family(std::string_view package_name);

}  // namespace tessan
