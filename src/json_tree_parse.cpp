#include "json_tree_parse.hpp"

#include <exception>
#include <utility>
#include <vector>

namespace tessan {

namespace {

using Json = nlohmann::json;

// Builds the tree from parser events without recursion; every open container has a frame.
class TreeBuilder final : public nlohmann::json_sax<Json> {
 public:
  bool null() override { return place(nullptr); }
  bool boolean(bool value) override { return place(value); }
  bool number_integer(number_integer_t value) override { return place(value); }
  bool number_unsigned(number_unsigned_t value) override { return place(value); }
  bool number_float(number_float_t value, const string_t&) override { return place(value); }
  bool string(string_t& value) override { return place(std::move(value)); }
  bool binary(binary_t& value) override { return place(Json::binary(std::move(value))); }

  bool start_object(std::size_t) override { return open(Json::object()); }
  bool start_array(std::size_t) override { return open(Json::array()); }
  bool end_object() override { return close(); }
  bool end_array() override { return close(); }

  bool key(string_t& name) override {
    Frame& frame = frames_.back();
    if (!frame.keys.insert(name).second) {
      tree_.repeated_members.insert(member_pointer(frame.pointer, name));
    }
    pending_key_ = std::move(name);
    return true;
  }

  bool parse_error(std::size_t, const std::string&,
                   const nlohmann::detail::exception& error) override {
    error_ = error.what();
    return false;
  }

  const std::string& error() const { return error_; }
  JsonTree take_tree() { return std::move(tree_); }

 private:
  struct Frame {
    Json* node;
    std::string pointer;
    std::set<std::string> keys;
  };

  bool place(Json value) {
    slot(nullptr) = std::move(value);
    return true;
  }

  bool open(Json container) {
    std::string pointer;
    Json& node = slot(&pointer);
    node = std::move(container);
    frames_.push_back(Frame{&node, std::move(pointer), {}});
    return true;
  }

  bool close() {
    frames_.pop_back();
    return true;
  }

  // The place where the next value goes; `pointer`, when given, receives its JSON pointer.
  Json& slot(std::string* pointer) {
    if (frames_.empty()) return tree_.root;
    Frame& parent = frames_.back();
    if (parent.node->is_array()) {
      if (pointer) *pointer = parent.pointer + "/" + std::to_string(parent.node->size());
      parent.node->push_back(nullptr);
      return parent.node->back();
    }
    if (pointer) *pointer = member_pointer(parent.pointer, pending_key_);
    return (*parent.node)[pending_key_];
  }

  JsonTree tree_;
  std::vector<Frame> frames_;
  std::string pending_key_;
  std::string error_;
};

}  // namespace

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

Result<JsonTree> parse_json_tree(std::string_view text) {
  TreeBuilder builder;
  try {
    if (!Json::sax_parse(text, &builder)) return Error(builder.error());
  } catch (const std::exception& e) {
    return Error(e.what());
  }
  return builder.take_tree();
}

}  // namespace tessan
