// From the comparison's outcomes to the status, the exit code, the summary and the hints.
#pragma once

#include <string>
#include <vector>

#include "cli/hints.hpp"
#include "compare/source_data.hpp"
#include "result_doc.hpp"

namespace tessan {

struct CheckInputs {
  std::string mpn;
  const std::vector<SourceData>* records = nullptr;
  std::vector<std::string> compared;
  std::vector<std::string> missing;
  const std::vector<AxisOutcome>* axes = nullptr;
  const std::vector<Variant>* variants = nullptr;
  KicadFilesRead kicad;
};

struct Judgement {
  Status status = Status::Unrecoverable;
  std::int32_t exit_code = 3;
  std::string summary;
  bool summary_is_ok = false;  // printed as an OK: line, else as a WARN: line
  std::vector<Hint> hints;
};

// Axis names explained by at least one of the variants.
std::vector<std::string> covered_axes(const std::vector<Variant>& variants);

Status decide_status(const std::vector<AxisOutcome>& axes, const std::vector<Variant>& variants);

std::string summary_text(const std::string& mpn, Status status,
                         const std::vector<Variant>& variants,
                         const std::vector<std::string>& compared,
                         const std::vector<std::string>& missing,
                         const std::vector<AxisOutcome>& axes);

// `hints` are the parse-failure hints collected so far; the derived hints follow them.
Judgement judge(const CheckInputs& inputs, std::vector<Hint> hints);

}  // namespace tessan
