// The comparison as the result document gives it: axes as a table, variants and hints as
// cards, in the document's order.
#pragma once

#include <string>

#include "result_doc.hpp"

namespace tessan::report {

std::string axes_section(const ResultDoc& document);
std::string variants_section(const ResultDoc& document);
std::string hints_section(const ResultDoc& document);

}  // namespace tessan::report
