// One-time libgsf set-up, and opening children with libgsf's own error texts.
#include "gsf_support.hpp"

#include <gsf/gsf-infile-impl.h>

#include <mutex>

namespace altium::gsf {
namespace {

void discard_log_message(const gchar* /*domain*/, GLogLevelFlags /*level*/,
                         const gchar* /*message*/, gpointer /*user_data*/) {}

// libgsf reports malformed documents through g_warning and g_return_val_if_fail; the error we
// return says what matters, so those messages must not reach the console.
void silence_library_logs() {
  const auto levels =
      static_cast<GLogLevelFlags>(G_LOG_LEVEL_MASK | G_LOG_FLAG_FATAL | G_LOG_FLAG_RECURSION);
  // libgsf logs without a domain of its own (null); GLib and GObject under theirs.
  for (const char* domain : {static_cast<const char*>(nullptr), "libgsf", "libgsf:msole", "GLib",
                             "GLib-GObject", "GLib-GIO"}) {
    g_log_set_handler(domain, levels, discard_log_message, nullptr);
  }
}

}  // namespace

void ensure_initialised() {
  static std::once_flag once;
  std::call_once(once, [] {
    silence_library_logs();
    gsf_init();
  });
}

std::string take_error_text(GError* error) {
  if (error == nullptr) return "unknown error";
  std::string text = error->message != nullptr ? error->message : "unknown error";
  g_error_free(error);
  return text;
}

OpenedChild open_child(GsfInfile* parent, const char* name) {
  OpenedChild child;
  auto* infile_class = GSF_INFILE_CLASS(G_OBJECT_GET_CLASS(parent));
  if (infile_class->child_by_name == nullptr) {
    child.input = ObjectRef<GsfInput>(gsf_infile_child_by_name(parent, name));
    child.found = static_cast<bool>(child.input);
    return child;
  }
  // The public lookup drops libgsf's error text; the class method hands it over. Without an
  // error, a missing child is simply not there.
  GError* error = nullptr;
  child.input = ObjectRef<GsfInput>(infile_class->child_by_name(parent, name, &error));
  child.found = child.input || error != nullptr;
  if (!child.input) {
    if (error != nullptr) child.error_text = take_error_text(error);
    return child;
  }
  if (error != nullptr) g_error_free(error);
  gsf_input_set_container(child.input.get(), parent);
  return child;
}

std::vector<ChildEntry> open_children(GsfInfile* parent) {
  std::vector<ChildEntry> children;
  const int count = gsf_infile_num_children(parent);
  if (count <= 0) return children;
  children.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    // Opening by index gives the name too, sparing a second walk of libgsf's child list.
    ObjectRef<GsfInput> child(gsf_infile_child_by_index(parent, i));
    const char* name = child ? gsf_input_name(child.get()) : gsf_infile_name_by_index(parent, i);
    if (name == nullptr) continue;
    const bool is_storage = child_count(child.get()) >= 0;
    children.push_back(ChildEntry{name, is_storage, std::move(child)});
  }
  return children;
}

int child_count(GsfInput* input) {
  if (input == nullptr || !GSF_IS_INFILE(input)) return -1;
  return gsf_infile_num_children(GSF_INFILE(input));
}

}  // namespace altium::gsf
