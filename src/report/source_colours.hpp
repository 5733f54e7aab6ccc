// One colour per library source, the same in every drawing and legend of the page.
#pragma once

#include <cstddef>
#include <string_view>

namespace tessan::report {

// A CSS colour for the source named `name`; `index` picks one for an unknown name.
std::string_view source_colour(std::string_view name, std::size_t index);

}  // namespace tessan::report
