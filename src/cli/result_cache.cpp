#include "cli/result_cache.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <set>

#include "result_doc_json.hpp"

namespace tessan {

namespace {

struct FileTimes {
  struct timespec modified {};
  struct timespec changed {};
};

std::optional<FileTimes> file_times(const std::filesystem::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileTimes{st.st_mtim, st.st_ctim};
}

bool newer(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

bool failed_to_parse(const ResultDoc& doc, const std::string& source) {
  return std::any_of(doc.hints.begin(), doc.hints.end(), [&](const Hint& hint) {
    const auto* failed = std::get_if<SourceParseFailed>(&hint);
    return failed != nullptr && failed->format == source;
  });
}

}  // namespace

bool is_consistent_document(const ResultDoc& doc) {
  return doc.schema_version == kSchemaVersion && doc.exit_code == status_exit_code(doc.status);
}

bool accounts_for(const ResultDoc& doc, const std::vector<std::string>& sources_now) {
  std::set<std::string> accounted(doc.sources_compared.begin(), doc.sources_compared.end());
  for (const std::string& source : doc.sources_missing) {
    if (failed_to_parse(doc, source)) accounted.insert(source);
  }
  return accounted == std::set<std::string>(sources_now.begin(), sources_now.end());
}

bool any_source_changed_since(const std::vector<std::filesystem::path>& sources,
                              const std::filesystem::path& document) {
  const auto document_times = file_times(document);
  if (!document_times) return true;
  return std::any_of(sources.begin(), sources.end(), [&](const std::filesystem::path& source) {
    const auto times = file_times(source);
    return times && (newer(times->modified, document_times->modified) ||
                     newer(times->changed, document_times->modified));
  });
}

std::optional<ResultDoc> trusted_cached_document(const std::filesystem::path& result_path,
                                                 const DiscoveredPaths& paths) {
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::symlink_status(result_path, ec))) {
    return std::nullopt;
  }
  auto doc = read_result_doc(result_path);
  if (!doc || !is_consistent_document(*doc) || !accounts_for(*doc, paths.sources_to_read()) ||
      any_source_changed_since(paths.all(), result_path)) {
    return std::nullopt;
  }
  return std::move(*doc);
}

}  // namespace tessan
