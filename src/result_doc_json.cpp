#include "result_doc_json.hpp"

#include <exception>

#include <nlohmann/json.hpp>

#include "result_doc_fields.hpp"

namespace tessan {

namespace {

// Keeps members in insertion order, which is the document order of `each_field`.
using Ordered = nlohmann::ordered_json;

Ordered encode(const std::string& text);
Ordered encode(const std::filesystem::path& path);
Ordered encode(Status status);
Ordered encode(Verdict verdict);
Ordered encode(std::int32_t number);
Ordered encode(std::uint32_t number);
Ordered encode(std::uint8_t number);
Ordered encode(const std::vector<std::string>& texts);
Ordered encode(const std::map<std::string, std::string>& values);
Ordered encode(const AxisOutcome& axis);
Ordered encode(const Hint& hint);
Ordered encode(const Variant& variant);
template <class T>
Ordered encode(const std::vector<T>& items);

template <class R>
Ordered encode_record(const R& record, Ordered object = Ordered::object()) {
  fields::each_field(record,
                     [&](const char* key, const auto& value) { object[key] = encode(value); });
  return object;
}

// A tagged record: the tag member first, then the alternative's own members.
template <class V>
Ordered encode_tagged(const char* tag_key, std::string_view tag, const V& tagged) {
  Ordered object = Ordered::object();
  object[tag_key] = std::string(tag);
  return std::visit([&](const auto& record) { return encode_record(record, std::move(object)); },
                    tagged);
}

Ordered encode(const std::string& text) {
  return text;
}
// Paths are written as their bytes; the dump rejects those that are not UTF-8.
Ordered encode(const std::filesystem::path& path) {
  return path.string();
}
Ordered encode(Status status) {
  return std::string(status_text(status));
}
Ordered encode(Verdict verdict) {
  return std::string(verdict_text(verdict));
}
Ordered encode(std::int32_t number) {
  return number;
}
Ordered encode(std::uint32_t number) {
  return number;
}
Ordered encode(std::uint8_t number) {
  return static_cast<unsigned>(number);
}
Ordered encode(const std::vector<std::string>& texts) {
  return Ordered(texts);
}

Ordered encode(const std::map<std::string, std::string>& values) {
  Ordered object = Ordered::object();
  for (const auto& [key, value] : values) object[key] = value;
  return object;
}

Ordered encode(const AxisOutcome& axis) {
  return encode_record(axis);
}
Ordered encode(const Hint& hint) {
  return encode_tagged("action", hint_action(hint), hint);
}
Ordered encode(const Variant& variant) {
  return encode_tagged("kind", variant_kind(variant), variant);
}

template <class T>
Ordered encode(const std::vector<T>& items) {
  Ordered array = Ordered::array();
  for (const auto& item : items) array.push_back(encode(item));
  return array;
}

// indent < 0 gives the compact form.
Result<std::string> dump(const Ordered& json, int indent) {
  try {
    return json.dump(indent, ' ', false, Ordered::error_handler_t::strict);
  } catch (const std::exception& e) {
    return Error(e.what());
  }
}

}  // namespace

Result<std::string> serialize_result_doc(const ResultDoc& doc) {
  auto text = dump(encode_record(doc), 2);
  if (text) text->push_back('\n');
  return text;
}

Result<std::string> serialize_hint_compact(const Hint& hint) {
  return dump(encode(hint), -1);
}

}  // namespace tessan
