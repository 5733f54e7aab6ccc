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
  for (const char* domain : {"libgsf", "libgsf:msole", "GLib", "GLib-GObject", "GLib-GIO"}) {
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
  const int count = gsf_infile_num_children(parent);
  for (int i = 0; i < count && !child.found; ++i) {
    const char* child_name = gsf_infile_name_by_index(parent, i);
    child.found = child_name != nullptr && g_strcmp0(child_name, name) == 0;
  }
  if (!child.found) return child;
  // The public lookup drops libgsf's error; the class method hands it over.
  auto* infile_class = GSF_INFILE_CLASS(G_OBJECT_GET_CLASS(parent));
  if (infile_class->child_by_name == nullptr) {
    child.input = ObjectRef<GsfInput>(gsf_infile_child_by_name(parent, name));
    if (!child.input) child.error_text = "cannot open child";
    return child;
  }
  GError* error = nullptr;
  child.input = ObjectRef<GsfInput>(infile_class->child_by_name(parent, name, &error));
  if (!child.input) {
    child.error_text = take_error_text(error);
    return child;
  }
  if (error != nullptr) g_error_free(error);
  gsf_input_set_container(child.input.get(), parent);
  return child;
}

int child_count(GsfInput* input) {
  if (input == nullptr || !GSF_IS_INFILE(input)) return -1;
  return gsf_infile_num_children(GSF_INFILE(input));
}

}  // namespace altium::gsf
