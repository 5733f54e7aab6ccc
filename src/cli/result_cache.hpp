// Whether a result document written by an earlier run still answers for what is on disk.
#pragma once

#include <filesystem>
#include <optional>

#include "cli/source_discovery.hpp"
#include "result_doc.hpp"

namespace tessan {

// Whether the document is one this version writes: schema_version "1", and a status with its
// own exit code (golden 0, golden_with_variants 0, divergent 2, unrecoverable 3).
bool is_consistent_document(const ResultDoc& doc);

// Whether the document accounts for exactly the sources that a run would read now: each in
// `sources_compared`, or in `sources_missing` with a `source_parse_failed` hint.
bool accounts_for(const ResultDoc& doc, const std::vector<std::string>& sources_now);

// Whether any of `sources` was modified, or had its status changed (unpacking an archive keeps
// old modification times but not old change times), after `document` was last modified.
bool any_source_changed_since(const std::vector<std::filesystem::path>& sources,
                              const std::filesystem::path& document);

// The cached document at `result_path` when it reads back, is consistent, accounts for the
// sources discovered now and none of their files changed since it was written; else nothing.
std::optional<ResultDoc> trusted_cached_document(const std::filesystem::path& result_path,
                                                 const DiscoveredPaths& paths);

}  // namespace tessan
