// The children of the root storage and the storages among them that hold library elements.
#include "container_impl.hpp"

namespace altium {
namespace {

bool is_library_storage(const RootChild& child) {
  if (!child.is_storage) return false;
  if (child.name.starts_with('\x01')) return false;
  return child.name != "Library" && child.name != "FileVersionInfo";
}

}  // namespace

std::vector<RootChild> list_root_children(const Container& container) {
  GsfInfile* root = container.impl().root.get();
  std::vector<RootChild> children;
  const int count = gsf_infile_num_children(root);
  for (int i = 0; i < count; ++i) {
    const char* name = gsf_infile_name_by_index(root, i);
    if (name == nullptr) continue;
    const gsf::ObjectRef<GsfInput> child(gsf_infile_child_by_index(root, i));
    children.push_back(RootChild{name, gsf::child_count(child.get()) >= 0});
  }
  return children;
}

std::vector<std::string> list_library_storages(const Container& container) {
  std::vector<std::string> storages;
  for (auto& child : list_root_children(container)) {
    if (is_library_storage(child)) storages.push_back(std::move(child.name));
  }
  return storages;
}

}  // namespace altium
