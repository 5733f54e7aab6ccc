// The head of the review page: the part, its status as a badge, the summary line and where each
// source came from.
#pragma once

#include <string>
#include <vector>

#include "report/review_page.hpp"

namespace tessan::report {

std::string page_head(const ResultDoc& document, const std::vector<SourceData>& records,
                      const ReviewInput& input);

}  // namespace tessan::report
