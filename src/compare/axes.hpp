// One judgement per comparison axis over the participating sources.
#pragma once

#include "compare/source_set.hpp"
#include "result_doc.hpp"

namespace tessan {

AxisOutcome compare_pad_count(const SourceRefs& sources);
AxisOutcome compare_pad_numbers(const SourceRefs& sources);
AxisOutcome compare_symbol_pin_count(const SourceRefs& sources);
AxisOutcome compare_pin_names(const SourceRefs& sources);
AxisOutcome compare_pin_to_pad_map(const SourceRefs& sources);
AxisOutcome compare_package_family(const SourceRefs& sources);
AxisOutcome compare_body_dims(const SourceRefs& sources);

}  // namespace tessan
