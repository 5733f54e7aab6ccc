#include "hostile/reader_outcome.hpp"

namespace tessan::hostile {

std::string describe(const Result<SourceData>& outcome) {
  if (!outcome) return "error: " + outcome.error().message();
  const SourceData& record = *outcome;
  return "pins=" + std::to_string(record.pins.size()) +
         " pads=" + std::to_string(record.pads.size()) +
         " package=" + (record.package ? record.package->package_name : std::string("none"));
}

}  // namespace tessan::hostile
