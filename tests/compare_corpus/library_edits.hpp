// Text edits on real library files, to break a copy in one precise way.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tessan::testing {

// Replaces every occurrence of `a` by `b` and of `b` by `a`; fails the test when either is
// absent.
void swap_texts(std::string& text, std::string_view a, std::string_view b);

// Replaces every occurrence of `from`; fails the test when there is none.
void replace_all(std::string& text, std::string_view from, std::string_view to);

// Replaces the first occurrence of `from`; fails the test when it is absent.
void replace_first(std::string& text, std::string_view from, std::string_view to);

// Removes the whole line holding the first occurrence of `needle`.
void erase_line(std::string& text, std::string_view needle);

// ---- KiCad S-expressions ----

// Removes the S-expression that starts at the first occurrence of `head` (for example
// "(pad 20 "), up to its closing parenthesis and the line end after it.
void remove_sexpr(std::string& text, std::string_view head);

// The (number, name) of every pin of a symbol file, in file order.
std::vector<std::pair<std::string, std::string>> kicad_pins(const std::string& text);

// Removes the pin numbered `number` from a symbol file.
void remove_kicad_pin(std::string& text, std::string_view number);

// Gives each pin whose number is a key of `names` that name.
void rename_kicad_pins(std::string& text, const std::map<std::string, std::string>& names);

// Gives the pin numbered `from` the number `to`.
void renumber_kicad_pin(std::string& text, std::string_view from, std::string_view to);

// Adds after the pin numbered `copy_of` a copy of it with this number and name.
void add_kicad_pin(std::string& text, std::string_view copy_of, const std::string& number,
                   const std::string& name);

// Adds after the footprint pad labelled `copy_of` (unquoted) a copy of it labelled `label`.
void add_kicad_pad(std::string& text, std::string_view copy_of, std::string_view label);

// Names every pin by its own number, as a symbol without names does.
void stub_kicad_pin_names(std::string& text);

// Moves every pin name to the pin numbered one higher (the last to the first), in numeric
// order of the decimal pin numbers.
void shift_kicad_pin_names(std::string& text);

// ---- EAGLE XML ----

// Within the first device's connects: the pad list of the pin named `pin`.
void set_eagle_connect_pads(std::string& text, std::string_view pin, std::string_view pads);

// Within the first device's connects: every decimal pad n becomes n % count + 1.
void shift_eagle_connects(std::string& text, int count);

// Renames a pin in the symbols and the connects.
void rename_eagle_pin(std::string& text, std::string_view from, std::string_view to);

}  // namespace tessan::testing
