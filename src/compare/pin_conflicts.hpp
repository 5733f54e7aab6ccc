// Reading the conflicts of the pin axes (pin_names, pin_to_pad_map) back against the sources'
// own pins: which pin a conflict is about, what every source holds for that pin, and whether
// the two names of a conflict are one pin written two ways.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compare/name_moves.hpp"
#include "compare/source_set.hpp"

namespace tessan {

class PinConflicts {
 public:
  // Built once per axis; `axis` is "pin_names" or "pin_to_pad_map". Only sources with named
  // pins take part, as on the axes themselves.
  PinConflicts(std::string_view axis, const SourceRefs& sources);

  // The pin a conflict names: its number key on pin_names, its normalized name on
  // pin_to_pad_map. Nothing when the conflict names no pin that a source holds.
  std::optional<std::string> pin_of(std::string_view conflict) const;

  // The sources taking part, in reading order.
  std::vector<std::string> source_names() const;

  // Whether sources `i` and `j` hold the same value for `pin`: both leave it out, or both
  // name it alike (equal, or accepted by `benign_at`), or both put it on the same pads.
  bool share(std::size_t i, std::size_t j, const std::string& pin) const;

  // A pin_names conflict "pin K: A=x but B=y" whose two names the naming tests accept on
  // their own.
  bool is_benign(std::string_view conflict) const;

 private:
  struct Named {
    const SourceData* source;
    PinNameMap names;                         // pin_names: number key -> normalized name
    std::map<std::string, LabelSet> pads_of;  // pin_to_pad_map: normalized name -> pad keys
  };

  bool holds_pin(const Named& named, const std::string& pin) const;
  std::optional<std::string> name_at(std::size_t i, const std::string& key) const;
  bool names_alike(std::size_t i, std::size_t j, const std::string& key, const std::string& a,
                   const std::string& b) const;
  std::optional<std::size_t> index_of(std::string_view name) const;

  bool by_name_;  // pin_to_pad_map: pins are named, values are pad sets
  std::vector<Named> named_;
  std::map<std::pair<std::size_t, std::size_t>, NameMoves> moves_;  // i < j, pin_names only
};

}  // namespace tessan
