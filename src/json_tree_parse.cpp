#include "json_tree_parse.hpp"

#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

namespace tessan {

namespace {

using Json = nlohmann::ordered_json;

// Builds the tree from parser events without recursion. A container's address is kept only
// while it is open: its parent grows again only after it has been closed.
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
    pending_key_ = std::move(name);
    return true;
  }

  bool parse_error(std::size_t, const std::string&,
                   const nlohmann::detail::exception& error) override {
    error_ = error.what();
    return false;
  }

  const std::string& error() const { return error_; }
  Json take_root() { return std::move(root_); }

 private:
  bool place(Json value) {
    slot() = std::move(value);
    return true;
  }

  bool open(Json container) {
    Json& node = slot();
    node = std::move(container);
    open_.push_back(&node);
    return true;
  }

  bool close() {
    open_.pop_back();
    return true;
  }

  // Where the next value goes: the root, a new array element or a new object member.
  Json& slot() {
    if (open_.empty()) return root_;
    Json& parent = *open_.back();
    if (parent.is_array()) {
      parent.push_back(nullptr);
      return parent.back();
    }
    // The member list itself, so that a repeated key adds a member instead of replacing one.
    return append_member(parent.get_ref<Json::object_t&>(), std::move(pending_key_));
  }

  // Grows the member list by moving the values already there. The list's own growth would copy
  // them (its elements hold a const key, so they cannot be moved), and copying a value copies
  // its whole subtree, recursively: deep nesting would overflow the stack.
  static Json& append_member(Json::object_t& members, std::string key) {
    if (members.size() == members.capacity()) {
      Json::object_t grown;
      grown.reserve(std::max<std::size_t>(4, 2 * members.capacity()));
      for (auto& member : members) grown.emplace_back(member.first, std::move(member.second));
      members.swap(grown);
    }
    members.emplace_back(std::move(key), nullptr);
    return members.back().second;
  }

  Json root_;
  std::vector<Json*> open_;
  std::string pending_key_;
  std::string error_;
};

}  // namespace

Result<nlohmann::ordered_json> parse_json_keeping_repeats(std::string_view text) {
  TreeBuilder builder;
  try {
    if (!Json::sax_parse(text, &builder)) return Error(builder.error());
  } catch (const std::exception& e) {
    return Error(e.what());
  }
  return builder.take_root();
}

}  // namespace tessan
