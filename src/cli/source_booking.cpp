#include "cli/source_booking.hpp"

#include "cli/console.hpp"
#include "compare/conflict_list.hpp"

namespace tessan {

void SourceBook::book(std::string_view name, const std::filesystem::path& path,
                      Result<SourceData> read, std::string_view label, std::string_view noun,
                      std::string_view suffix) {
  if (!read) {
    // Readers' messages are short, but nothing here relies on it.
    std::string error = read.error().message();
    clip_display_text(error);
    hints.emplace_back(SourceParseFailed{std::string(name), path, std::move(error)});
    mark_missing(name);
    return;
  }
  SourceData record = std::move(read).value();
  std::string package = record.package ? record.package->package_name : "?";
  clip_display_text(package);
  print_info(std::string(label) + " \u2014 " + std::to_string(record.pins.size()) + " pins, " +
             std::to_string(record.pads.size()) + " pads, " + std::string(noun) + " " + package +
             std::string(suffix));
  records.push_back(std::move(record));
  compared.emplace_back(name);
}

}  // namespace tessan
