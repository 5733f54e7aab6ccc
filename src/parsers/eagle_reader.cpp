#include "parsers/eagle_reader.hpp"

#include <utility>

#include "parsers/eagle_library.hpp"
#include "parsers/read_text_file.hpp"

namespace tessan {

namespace {

// Bytes that entity references in attribute values may add beyond the document's own size.
constexpr std::size_t kEntityExpansionAllowance = std::size_t{16} << 20;

// The package named by the first device, else the byte-wise smallest package name.
std::optional<std::string> chosen_package_name(const EagleLibrary& library) {
  if (library.chosen_package) return library.chosen_package;
  if (library.packages.empty()) return std::nullopt;
  return library.packages.begin()->first;
}

SourceData record_of(EagleLibrary library) {
  SourceData record;
  record.name = "eagle";
  record.pins = std::move(library.pins);
  const auto name = chosen_package_name(library);
  if (!name) return record;
  PackageInfo package;
  const auto found = library.packages.find(*name);
  if (found != library.packages.end()) {
    record.pads = std::move(found->second.pads);
    if (found->second.geometry_complete) record.pad_geometry = std::move(found->second.geometry);
    package.body_x_mm = found->second.extent.width();
    package.body_y_mm = found->second.extent.height();
  }
  package.package_name = *name;
  record.package = std::move(package);
  return record;
}

}  // namespace

Result<SourceData> read_eagle(const std::filesystem::path& library_path) {
  auto text = read_text_file(library_path);
  if (!text) return std::move(text).error();
  auto library =
      read_eagle_library(*text, EagleReadLimits{text->size() + kEntityExpansionAllowance});
  if (!library) return std::move(library).error();
  return record_of(std::move(library).value());
}

}  // namespace tessan
