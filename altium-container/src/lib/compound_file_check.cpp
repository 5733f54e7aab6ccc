#include "compound_file_check.hpp"

namespace altium {

std::optional<std::string> find_compound_file_fault(ByteView /*document*/) {
  return std::nullopt;
}

}  // namespace altium
