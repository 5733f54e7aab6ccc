// Small helpers around libgsf and GObject: one-time initialisation, owning references, and
// opening a child with the library's error text.
#pragma once

#include <glib-object.h>
#include <gsf/gsf.h>

#include <string>
#include <utility>
#include <vector>

namespace altium::gsf {

// Initialises libgsf and routes its (and GLib's) log messages away from the console. Safe to
// call from any thread, any number of times.
void ensure_initialised();

// An owning reference to a GObject, released with g_object_unref.
template <class T>
class ObjectRef {
 public:
  ObjectRef() = default;
  explicit ObjectRef(T* object) : object_(object) {}
  ObjectRef(const ObjectRef&) = delete;
  ObjectRef& operator=(const ObjectRef&) = delete;
  ObjectRef(ObjectRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ObjectRef& operator=(ObjectRef&& other) noexcept {
    if (this != &other) {
      release();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }
  ~ObjectRef() { release(); }

  T* get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  void release() {
    if (object_ != nullptr) g_object_unref(object_);
    object_ = nullptr;
  }
  T* object_ = nullptr;
};

// Takes a GError's message and frees it; "unknown error" when there is none.
std::string take_error_text(GError* error);

struct OpenedChild {
  ObjectRef<GsfInput> input;  // null when the child could not be opened
  bool found = false;         // whether a child of that name exists
  std::string error_text;     // libgsf's text when it was found but could not be opened
};

// Opens the child `name` of `parent`.
OpenedChild open_child(GsfInfile* parent, const char* name);

struct ChildEntry {
  std::string name;
  bool is_storage = false;    // false too when the child cannot be opened
  ObjectRef<GsfInput> input;  // the opened child, or null
};

// The children of a storage, opened, in libgsf's order.
std::vector<ChildEntry> open_children(GsfInfile* parent);

// The number of children of a storage, or -1 for a stream (or anything that is not a storage).
int child_count(GsfInput* input);

}  // namespace altium::gsf
