#include <filesystem>

#include "cli/aux_commands.hpp"
#include "cli/console.hpp"
#include "cli/inspect_summary.hpp"
#include "regular_file_read.hpp"
#include "result_doc_json.hpp"

namespace tessan {

int run_inspect(const Inspect& inspect) {
  const std::filesystem::path path =
      inspect.chip_dir / (inspect_name(inspect.chip_dir) + "-tessan.result.json");
  std::error_code probe_error;
  if (std::filesystem::exists(inspect.chip_dir, probe_error) &&
      !std::filesystem::is_directory(inspect.chip_dir, probe_error)) {
    print_error("chip dir: " + inspect.chip_dir.string() + ": Not a directory");
    return 1;
  }
  // When the entry cannot even be probed (no permission), reading it reports the reason; so
  // does an entry that is there but cannot be followed (a dangling symbolic link).
  const auto entry = std::filesystem::symlink_status(path, probe_error);
  if (entry.type() == std::filesystem::file_type::not_found) {
    print_error("no tessan result at " + path.string());
    print_hint("run `tessan check " + inspect.chip_dir.string() + "` first");
    return 1;
  }
  // Each failure is one line naming the document and the reason.
  const auto text = read_regular_file(path, kMaxResultDocumentBytes);
  if (!text) {
    print_error(path.string() + ": " + text.error().message());
    return 1;
  }
  const auto doc = parse_result_doc(*text);
  if (!doc) {
    print_error(path.string() + ": " + doc.error().message());
    return 1;
  }
  for (const std::string& line : inspect_summary_lines(*doc)) print_info(line);
  return 0;
}

}  // namespace tessan
