// Keeps what the EAGLE reader needs from the elements of a library as a stream parser meets
// them: the packages' pads, the devices' package names and the chosen device's pins.
#pragma once

#include <libxml/tree.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "parsers/eagle_attributes.hpp"
#include "parsers/eagle_library.hpp"
#include "parsers/eagle_pins.hpp"

namespace tessan {

class EagleLibraryCollector {
 public:
  explicit EagleLibraryCollector(const EagleReadLimits& limits);

  // An element starts, with its attributes as libxml2's SAX2 interface hands them over (see
  // EagleAttributes); `document` holds the entity declarations. False once the read has
  // failed: `failure` then says why.
  bool start(const xmlChar* local_name, const xmlChar* prefix, const xmlChar* uri, xmlDoc* document,
             const xmlChar** attributes, int attribute_count);
  // The element started last and not yet ended ends.
  void end();

  const std::optional<Error>& failure() const { return failure_; }
  EagleLibrary take();

 private:
  struct OpenPackage {
    int depth = 0;
    std::optional<std::string> name;  // a package without one is skipped with its pads
    std::size_t order = 0;            // of its start among the packages
    EaglePackage contents;
  };
  struct OpenDevice {
    int depth = 0;
    std::size_t order = 0;  // of its start among the devices
  };

  enum class Kind : std::uint8_t { Smd, Pad, Connect, Package, Device, Other };
  static Kind kind_of(const xmlChar* local_name, const xmlChar* prefix, const xmlChar* uri);

  void start_package();
  void finish_package();
  void start_device();
  bool add_pad(bool is_smd, EaglePackage& package);
  // The geometry added, or null when the pad has none and the package so loses its own.
  const PadGeometry* add_geometry(bool is_smd, EaglePackage& package);
  bool add_connect();
  bool fail(Error error);

  const EagleReadLimits& limits_;
  EagleAttributes attributes_;
  EagleLibrary library_;
  EaglePinCollector pins_;
  int depth_ = 0;  // of the element started last; the root's is 1
  std::vector<OpenPackage> packages_;
  std::vector<OpenDevice> devices_;
  std::unordered_map<std::string, std::size_t> stored_order_;  // of the package stored by name
  std::size_t packages_started_ = 0;
  std::size_t devices_started_ = 0;
  std::optional<std::size_t> chosen_device_;
  std::optional<Error> failure_;
};

}  // namespace tessan
