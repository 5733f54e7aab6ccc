#include "parsers/quarn_json_filter.hpp"

#include <cstddef>
#include <exception>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "parsers/count_limit.hpp"

namespace tessan {

namespace {

using json = nlohmann::json;

// What is kept of a value, by where it stands in the document.
enum class Keep {
  Root,        // the document: its members of interest
  PinList,     // "pins": every element
  PinElement,  // an element of "pins": "number" and "name"
  PadNames,    // "padDescriptions": member names only
  Dimensions,  // "bodyDimensions": "x" and "y"
  Leaf,        // a value the reader reads: primitives as they are, structures empty
  Null,        // a value that must exist but is never read
};

std::optional<Keep> member_keep(Keep parent, std::string_view key) {
  switch (parent) {
    case Keep::Root:
      if (key == "pins") return Keep::PinList;
      if (key == "padDescriptions") return Keep::PadNames;
      if (key == "package") return Keep::Leaf;
      if (key == "bodyDimensions") return Keep::Dimensions;
      return std::nullopt;
    case Keep::PinElement:
      if (key == "number" || key == "name") return Keep::Leaf;
      return std::nullopt;
    case Keep::PadNames:
      return Keep::Null;
    case Keep::Dimensions:
      if (key == "x" || key == "y") return Keep::Leaf;
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

std::optional<Keep> element_keep(Keep parent) {
  if (parent == Keep::PinList) return Keep::PinElement;
  return std::nullopt;
}

// A SAX handler for nlohmann::json::sax_parse that builds the filtered tree.
class FilteringTreeBuilder {
 public:
  using number_integer_t = json::number_integer_t;
  using number_unsigned_t = json::number_unsigned_t;
  using number_float_t = json::number_float_t;
  using string_t = json::string_t;
  using binary_t = json::binary_t;

  bool null() { return add_value(nullptr); }
  bool boolean(bool value) { return add_value(value); }
  bool number_integer(number_integer_t value) { return add_value(value); }
  bool number_unsigned(number_unsigned_t value) { return add_value(value); }
  bool number_float(number_float_t value, const string_t&) { return add_value(value); }
  bool string(string_t& value) { return add_value(std::move(value)); }
  bool binary(binary_t& value) { return add_value(json::binary(std::move(value))); }

  bool start_object(std::size_t) { return start_structure(json::object()); }
  bool start_array(std::size_t) { return start_structure(json::array()); }
  bool end_object() { return end_structure(); }
  bool end_array() { return end_structure(); }

  bool key(string_t& name) {
    if (skipped_depth_ > 0) return true;
    Frame& frame = frames_.back();
    frame.member_keep = member_keep(frame.keep, name);
    if (frame.member_keep) frame.member_name = std::move(name);
    return true;
  }

  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) {
    error_ = error.what();
    return false;
  }

  json take_root() { return std::move(root_); }
  const std::string& error() const { return error_; }

 private:
  struct Frame {
    json* value;
    Keep keep;
    std::optional<Keep> member_keep;  // of the member whose name came last
    std::string member_name;
  };

  // Where the next value goes and what is kept of it; nothing when it is dropped.
  std::optional<Keep> next_keep() const {
    if (frames_.empty()) return Keep::Root;
    const Frame& frame = frames_.back();
    return frame.value->is_object() ? frame.member_keep : element_keep(frame.keep);
  }

  json* place(json value) {
    if (frames_.empty()) {
      root_ = std::move(value);
      return &root_;
    }
    Frame& frame = frames_.back();
    if (frame.value->is_object()) {
      json& slot = (*frame.value)[frame.member_name];
      slot = std::move(value);
      return &slot;
    }
    frame.value->push_back(std::move(value));
    return &frame.value->back();
  }

  // Whether the pins, or the pad names, that the innermost structure holds are still within
  // the bound; past it, the parse ends with the limit's text as its error.
  bool within_limits() {
    if (frames_.empty() || frames_.back().value->size() <= kMaxPinsOrPads) return true;
    if (frames_.back().keep == Keep::PinList) error_ = kTooManyPins;
    if (frames_.back().keep == Keep::PadNames) error_ = kTooManyPads;
    return error_.empty();
  }

  bool add_value(json value) {
    if (skipped_depth_ > 0) return true;
    const auto keep = next_keep();
    if (!keep) return true;
    place(*keep == Keep::Null ? json(nullptr) : std::move(value));
    return within_limits();
  }

  bool start_structure(json empty) {
    if (skipped_depth_ > 0) {
      ++skipped_depth_;
      return true;
    }
    const auto keep = next_keep();
    if (!keep || *keep == Keep::Null || *keep == Keep::Leaf) {
      if (keep) place(*keep == Keep::Null ? json(nullptr) : std::move(empty));
      skipped_depth_ = 1;
      return within_limits();
    }
    json* value = place(std::move(empty));
    if (!within_limits()) return false;
    frames_.push_back({value, *keep, std::nullopt, {}});
    return true;
  }

  bool end_structure() {
    if (skipped_depth_ > 0) {
      --skipped_depth_;
      return true;
    }
    frames_.pop_back();
    return true;
  }

  json root_;
  std::vector<Frame> frames_;
  std::size_t skipped_depth_ = 0;  // nesting inside a dropped structure
  std::string error_;
};

}  // namespace

Result<nlohmann::json> parse_quarn_json(const std::string& text) {
  try {
    FilteringTreeBuilder builder;
    if (!json::sax_parse(text, &builder)) return Error(builder.error());
    return builder.take_root();
  } catch (const std::exception& e) {
    return Error(e.what());
  }
}

}  // namespace tessan
