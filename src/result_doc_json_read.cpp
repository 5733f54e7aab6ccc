// Reading the result document back. Every member of a record is required, a member given twice
// is an error, members outside the record are ignored, and tags may stand anywhere in their
// object. A `values` map is not a record: a key given twice there keeps its last value.
#include <array>
#include <limits>
#include <optional>
#include <utility>

#include "json_tree_parse.hpp"
#include "result_doc_fields.hpp"
#include "result_doc_json.hpp"

namespace tessan {

namespace {

using Json = nlohmann::ordered_json;

// A value of the tree with its JSON pointer, for messages.
struct Node {
  const Json* json;
  std::string pointer;
};

// The JSON pointer of member `key` of the object at `object_pointer` ("" is the root).
std::string member_pointer(std::string_view object_pointer, std::string_view key) {
  std::string pointer(object_pointer);
  pointer += '/';
  for (const char c : key) {
    if (c == '~') {
      pointer += "~0";
    } else if (c == '/') {
      pointer += "~1";
    } else {
      pointer += c;
    }
  }
  return pointer;
}

std::string place_of(const std::string& pointer) {
  return pointer.empty() ? "the document root" : pointer;
}

// Decodes the tree into records. The first failure is kept; after it every step is skipped and
// yields default values, so the callers need not check after each member.
class DocReader {
 public:
  bool ok() const { return !error_; }
  const Error& error() const { return *error_; }

  void fail(std::string message) {
    if (ok()) error_.emplace(std::move(message));
  }

  bool expect(const Node& node, bool matches, std::string_view expected) {
    if (ok() && !matches) {
      fail("invalid type at " + place_of(node.pointer) + ": expected " + std::string(expected));
    }
    return ok();
  }

  // The required member `key` of an object node, given exactly once.
  std::optional<Node> member(const Node& object, std::string_view key) {
    if (!expect(object, object.json->is_object(), "an object")) return std::nullopt;
    const Json* found = nullptr;
    for (const auto& [name, value] : object.json->get_ref<const Json::object_t&>()) {
      if (name != key) continue;
      if (found != nullptr) {
        fail("duplicate field `" + std::string(key) + "` in " + place_of(object.pointer));
        return std::nullopt;
      }
      found = &value;
    }
    if (found == nullptr) {
      fail("missing field `" + std::string(key) + "` in " + place_of(object.pointer));
      return std::nullopt;
    }
    return Node{found, member_pointer(object.pointer, key)};
  }

 private:
  std::optional<Error> error_;
};

void decode(DocReader& r, const Node& node, std::string& out);
void decode(DocReader& r, const Node& node, std::filesystem::path& out);
void decode(DocReader& r, const Node& node, Status& out);
void decode(DocReader& r, const Node& node, Verdict& out);
void decode(DocReader& r, const Node& node, std::map<std::string, std::string>& out);
void decode(DocReader& r, const Node& node, AxisOutcome& out);
void decode(DocReader& r, const Node& node, Hint& out);
void decode(DocReader& r, const Node& node, Variant& out);
template <std::integral T>
void decode(DocReader& r, const Node& node, T& out);
template <class T>
void decode(DocReader& r, const Node& node, std::vector<T>& out);

template <class R>
void decode_record(DocReader& r, const Node& object, R& record) {
  fields::each_field(record, [&](std::string_view key, auto& value) {
    if (const auto member = r.member(object, key)) decode(r, *member, value);
  });
}

// The alternative of `V` whose tag text is `tag`, default-constructed.
template <class V, class TagOf>
std::optional<V> alternative_tagged(std::string_view tag, TagOf tag_of) {
  return [&]<std::size_t... I>(std::index_sequence<I...>) {
    std::optional<V> found;
    (void)((tag_of(V(std::in_place_index<I>)) == tag ? (found.emplace(std::in_place_index<I>), true)
                                                     : false) ||
           ...);
    return found;
  }
  (std::make_index_sequence<std::variant_size_v<V>>{});
}

template <class V, class TagOf>
void decode_tagged(DocReader& r, const Node& object, const char* tag_key, std::string_view what,
                   TagOf tag_of, V& out) {
  const auto tag_node = r.member(object, tag_key);
  if (!tag_node) return;
  std::string tag;
  decode(r, *tag_node, tag);
  if (!r.ok()) return;
  auto alternative = alternative_tagged<V>(tag, tag_of);
  if (!alternative) {
    r.fail("unknown " + std::string(what) + " `" + tag + "` at " + tag_node->pointer);
    return;
  }
  std::visit([&](auto& record) { decode_record(r, object, record); }, *alternative);
  out = std::move(*alternative);
}

// An enumeration given by its texts, in enumeration order.
template <class E, std::size_t N>
void decode_enum(DocReader& r, const Node& node, std::string_view what, std::string_view (*text)(E),
                 E& out) {
  std::string given;
  decode(r, node, given);
  if (!r.ok()) return;
  std::string expected;
  for (std::size_t i = 0; i < N; ++i) {
    const E candidate = static_cast<E>(i);
    if (text(candidate) == given) {
      out = candidate;
      return;
    }
    expected += (i == 0 ? "" : ", ") + std::string(text(candidate));
  }
  r.fail("unknown " + std::string(what) + " `" + given + "` at " + node.pointer +
         "; expected one of " + expected);
}

void decode(DocReader& r, const Node& node, std::string& out) {
  if (r.expect(node, node.json->is_string(), "a string"))
    out = node.json->get_ref<const std::string&>();
}

void decode(DocReader& r, const Node& node, std::filesystem::path& out) {
  std::string text;
  decode(r, node, text);
  out = std::move(text);
}

void decode(DocReader& r, const Node& node, Status& out) {
  decode_enum<Status, 4>(r, node, "status", status_text, out);
}

void decode(DocReader& r, const Node& node, Verdict& out) {
  decode_enum<Verdict, 3>(r, node, "verdict", verdict_text, out);
}

void decode(DocReader& r, const Node& node, std::map<std::string, std::string>& out) {
  if (!r.expect(node, node.json->is_object(), "an object")) return;
  for (const auto& [key, value] : node.json->get_ref<const Json::object_t&>()) {
    decode(r, Node{&value, member_pointer(node.pointer, key)}, out[key]);
  }
}

void decode(DocReader& r, const Node& node, AxisOutcome& out) {
  decode_record(r, node, out);
}

void decode(DocReader& r, const Node& node, Hint& out) {
  decode_tagged(r, node, "action", "hint action", hint_action, out);
}

void decode(DocReader& r, const Node& node, Variant& out) {
  decode_tagged(r, node, "kind", "variant kind", variant_kind, out);
}

template <std::integral T>
void decode(DocReader& r, const Node& node, T& out) {
  const std::string expected =
      std::string(std::is_signed_v<T> ? "a signed " : "an unsigned ") +
      std::to_string(std::numeric_limits<T>::digits + (std::is_signed_v<T> ? 1 : 0)) +
      "-bit integer";
  const Json& json = *node.json;
  bool fits = false;
  if (json.is_number_unsigned()) {
    fits = std::in_range<T>(json.get<Json::number_unsigned_t>());
  } else if (json.is_number_integer()) {
    fits = std::in_range<T>(json.get<Json::number_integer_t>());
  }
  if (r.expect(node, fits, expected)) out = static_cast<T>(json.get<Json::number_integer_t>());
}

template <class T>
void decode(DocReader& r, const Node& node, std::vector<T>& out) {
  if (!r.expect(node, node.json->is_array(), "an array")) return;
  out.clear();
  for (std::size_t i = 0; i < node.json->size() && r.ok(); ++i) {
    decode(r, Node{&(*node.json)[i], node.pointer + "/" + std::to_string(i)}, out.emplace_back());
  }
}

}  // namespace

Result<ResultDoc> parse_result_doc(std::string_view text) {
  const auto tree = parse_json_keeping_repeats(text);
  if (!tree) return tree.error();
  DocReader reader;
  ResultDoc doc;
  const Node root{&*tree, ""};
  if (reader.expect(root, root.json->is_object(), "an object")) decode_record(reader, root, doc);
  if (!reader.ok()) return reader.error();
  return doc;
}

}  // namespace tessan
