// A corpus chip folder copied into a temporary directory, to be edited and checked there.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "result_doc.hpp"
#include "support/test_support.hpp"

namespace tessan::testing {

// What `check` said about a chip folder.
struct CheckOutcome {
  int exit_code = -1;
  ResultDoc doc;

  std::string status() const { return std::string(status_text(doc.status)); }
  std::vector<std::string> variant_kinds() const;
  // The disagreeing axes that no variant covers.
  std::vector<std::string> uncovered_axes() const;
};

// Runs `check --force` on `chip_dir`, writing the result document into `out_dir`.
CheckOutcome run_check_on(const std::filesystem::path& chip_dir,
                          const std::filesystem::path& out_dir);

class ChipCopy {
 public:
  // Copies the discovery files of corpus folder `mpn` (not its alt/ folder).
  ChipCopy(const std::filesystem::path& corpus, std::string mpn);

  // The file "{mpn}{extension}" of the copy.
  std::filesystem::path file(std::string_view extension) const;
  void edit(std::string_view extension, const std::function<void(std::string&)>& change) const;
  void remove(std::string_view extension) const;
  // Replaces the file "{mpn}{extension}" with another corpus file.
  void replace_with(std::string_view extension, const std::filesystem::path& other) const;

  CheckOutcome check() const;

 private:
  TempDir temp_;
  std::string mpn_;
  std::filesystem::path dir_;
};

}  // namespace tessan::testing
