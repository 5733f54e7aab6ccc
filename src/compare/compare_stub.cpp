// Placeholder until the comparison engine lands.
#include "compare/compare_sources.hpp"

namespace tessan {

ComparisonReport compare_sources(const std::vector<SourceData>&) { return {}; }

}  // namespace tessan
