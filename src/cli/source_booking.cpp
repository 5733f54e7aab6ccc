#include "cli/source_booking.hpp"

#include "cli/console.hpp"

namespace tessan {

void SourceBook::book(std::string_view name, const std::filesystem::path& path,
                      Result<SourceData> read, std::string_view label, std::string_view noun,
                      std::string_view suffix) {
  if (!read) {
    hints.emplace_back(SourceParseFailed{std::string(name), path, read.error().message()});
    mark_missing(name);
    return;
  }
  SourceData record = std::move(read).value();
  const std::string package = record.package ? record.package->package_name : "?";
  print_info(std::string(label) + " \u2014 " + std::to_string(record.pins.size()) + " pins, " +
             std::to_string(record.pads.size()) + " pads, " + std::string(noun) + " " + package +
             std::string(suffix));
  records.push_back(std::move(record));
  compared.emplace_back(name);
}

}  // namespace tessan
