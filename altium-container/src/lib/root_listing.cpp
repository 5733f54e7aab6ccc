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

const RootIndex& index_root(const Container& container) {
  auto& impl = container.impl();
  if (impl.root_index) return *impl.root_index;
  RootIndex index;
  for (auto& child : gsf::open_children(impl.root.get())) {
    index.children.push_back(RootChild{child.name, child.is_storage});
    // libgsf's lookup by name takes the first child of that name; so does the index.
    if (child.is_storage) index.storages.try_emplace(child.name, std::move(child.input));
  }
  return impl.root_index.emplace(std::move(index));
}

std::vector<RootChild> list_root_children(const Container& container) {
  return index_root(container).children;
}

std::vector<std::string> list_library_storages(const Container& container) {
  std::vector<std::string> storages;
  for (const auto& child : index_root(container).children) {
    if (is_library_storage(child)) storages.push_back(child.name);
  }
  return storages;
}

}  // namespace altium
