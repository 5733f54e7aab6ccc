#include "parsers/kicad/kicad_pad_geometry.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "parsers/turned_pad_extent.hpp"

namespace tessan {

namespace {

std::optional<double> finite_number(std::string_view word) {
  double value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc{} || end != word.data() + word.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

PadShape shape_of(std::string_view word) {
  if (word == "circle") return PadShape::Circle;
  if (word == "oval") return PadShape::Oval;
  if (word == "roundrect") return PadShape::Rounded;
  return PadShape::Rect;  // rect, trapezoid, custom
}

bool is_word(const SexprToken& token) {
  return token.kind == SexprTokenKind::Atom || token.kind == SexprTokenKind::Quoted;
}

}  // namespace

bool KicadPadGeometryReader::take(const SexprToken& token, const SexprToken* next) {
  switch (token.kind) {
    case SexprTokenKind::Open:
      if (depth_ == 1) open_child(next);
      ++depth_;
      return false;
    case SexprTokenKind::Close:
      if (--depth_ == 1) field_ = Field::None;
      return depth_ == 0;
    default:
      if (depth_ == 1) take_word(token.text);
      if (depth_ == 2 && field_ != Field::None && field_words_++ > 0) {
        if (field_ == Field::At) take_number(at_, token.text);
        if (field_ == Field::Size) take_number(size_, token.text);
        if (field_ == Field::Drill && token.text != "oval") take_number(drill_, token.text);
        if (field_ == Field::Layers) take_layer(token.text);
      }
      return false;
  }
}

// Only the first list of each kind counts.
void KicadPadGeometryReader::open_child(const SexprToken* keyword) {
  field_ = Field::Ignored;
  field_words_ = 0;
  if (keyword == nullptr || !is_word(*keyword)) return;
  const std::string_view word = keyword->text;
  Numbers* numbers = word == "at"      ? &at_
                     : word == "size"  ? &size_
                     : word == "drill" ? &drill_
                                       : nullptr;
  if (numbers != nullptr && !numbers->seen) {
    numbers->seen = true;
    field_ = numbers == &at_ ? Field::At : numbers == &size_ ? Field::Size : Field::Drill;
  } else if (word == "layers" && !layers_seen_) {
    layers_seen_ = true;
    field_ = Field::Layers;
  }
}

void KicadPadGeometryReader::take_word(std::string_view word) {
  ++words_;
  if (words_ == 3) {
    type_ = word == "thru_hole"      ? Type::ThroughHole
            : word == "np_thru_hole" ? Type::NonPlatedHole
            : word == "connect"      ? Type::Connect
                                     : Type::Smd;
  } else if (words_ == 4) {
    shape_ = shape_of(word);
  }
}

void KicadPadGeometryReader::take_number(Numbers& numbers, std::string_view word) {
  const auto value = finite_number(word);
  if (!value || numbers.count == numbers.values.size()) {
    numbers.bad = true;
    return;
  }
  numbers.values[numbers.count++] = *value;
}

// "F.Cu", "B.Paste", "*.Cu", "F&B.Cu": a side before the first dot, a kind after it.
void KicadPadGeometryReader::take_layer(std::string_view layer) {
  const std::size_t dot = layer.find('.');
  if (dot == std::string_view::npos) return;
  const std::string_view side = layer.substr(0, dot);
  const std::string_view kind = layer.substr(dot + 1);
  const bool both = side == "*" || side == "F&B";
  const bool front = both || side == "F";
  const bool back = both || side == "B";
  any_front_ = any_front_ || front;
  any_back_ = any_back_ || back;
  if (kind == "Cu") {
    copper_front_ = copper_front_ || front;
    copper_back_ = copper_back_ || back;
  }
  if (kind == "Paste" && (front || back)) paste_ = true;
}

std::optional<PadGeometry> KicadPadGeometryReader::geometry() const {
  if (at_.bad || at_.count < 2 || size_.bad || size_.count != 2) return std::nullopt;
  if (size_.values[0] < 0 || size_.values[1] < 0) return std::nullopt;
  PadGeometry pad;
  pad.x = at_.values[0];
  pad.y = 0.0 - at_.values[1];
  pad.rotation = at_.count == 3 ? at_.values[2] : 0.0;
  pad.shape = shape_;
  const PadExtentXY extent =
      turned_pad_extent({size_.values[0], size_.values[1]}, pad.rotation, shape_);
  pad.w = extent.w;
  pad.h = extent.h;
  const bool hole = type_ == Type::ThroughHole || type_ == Type::NonPlatedHole;
  pad.kind = type_ == Type::ThroughHole     ? PadKind::PlatedHole
             : type_ == Type::NonPlatedHole ? PadKind::NonPlatedHole
                                            : PadKind::Smd;
  if (hole && drill_.count > 0 && !drill_.bad) {
    pad.drill = *std::min_element(drill_.values.begin(), drill_.values.begin() + drill_.count);
  }
  const bool has_copper_layer = copper_front_ || copper_back_;
  pad.has_copper = type_ != Type::NonPlatedHole && (!layers_seen_ || has_copper_layer);
  pad.has_paste = paste_;
  const bool front = has_copper_layer ? copper_front_ : any_front_;
  const bool back = has_copper_layer ? copper_back_ : any_back_;
  pad.side = hole || (front && back) ? PadSide::Both : back ? PadSide::Bottom : PadSide::Top;
  return pad;
}

}  // namespace tessan
