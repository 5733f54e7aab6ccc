// Which library stands alone in a conflict, judged from every source's data rather than from
// the conflict text, which is written against a reference source and so names it every time.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "compare/pin_conflicts.hpp"
#include "compare/source_set.hpp"
#include "result_doc.hpp"

namespace tessan {

// Whether `name` is one of the library sources: "kicad", "eagle" or "altium".
bool is_library_source(std::string_view name);

// The two footprints a geometry conflict names ("Footprint geometry differs between {a} and
// {b}: ..." or "{a} and {b} number the same pad positions differently (...)").
std::optional<std::pair<std::string, std::string>> geometry_conflict_pair(
    std::string_view conflict);

// Built once per disagreeing axis; answers for each of its conflicts.
class LoneSource {
 public:
  LoneSource(const AxisOutcome& axis, const SourceRefs& sources);

  // The one library source whose value in this conflict no other source shares, while other
  // sources share one; nothing when no single library stands alone.
  //  - pin_names, pin_to_pad_map: every source's value for the pin the conflict names (its
  //    name or its pads; not drawn is a value too), names alike when the naming tests say so;
  //    a conflict saying a source has stub-only names blames that source;
  //  - geometry conflicts: the one footprint that takes part in every geometry conflict;
  //  - otherwise the axis's values (placeholders left out; the family alone on
  //    package_family), each other value held by at least two sources.
  std::optional<std::string> of(std::string_view conflict) const;

  // Whether the naming tests accept this conflict on its own (a pin written two ways).
  bool is_benign(std::string_view conflict) const;

 private:
  std::optional<std::string> by_pin(std::string_view conflict) const;
  std::optional<std::string> by_values() const;

  const AxisOutcome& axis_;
  std::optional<PinConflicts> pins_;
  std::optional<std::string> geometry_suspect_;
};

}  // namespace tessan
