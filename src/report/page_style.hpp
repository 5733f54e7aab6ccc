// The page's one stylesheet, inlined into its <head>.
#pragma once

#include <string_view>

namespace tessan::report {

std::string_view page_style();

}  // namespace tessan::report
