#include "help_listing.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "support/test_support.hpp"

namespace tessan::testing {

namespace {

// Rows wrapped by the help layout continue far right, under the description column.
constexpr std::size_t kContinuationIndent = 20;

std::string trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  const auto last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

void add_long_options(const std::string& column, HelpListing& listing) {
  std::string name;
  std::istringstream names(column);
  while (std::getline(names, name, ',')) {
    const std::string option = trimmed(name.substr(0, name.find(' ')));
    if (option.rfind("--", 0) == 0) listing.long_options.push_back(option);
  }
}

bool is_heading(const std::string& line) {
  return line.rfind("Usage:", 0) == 0 || (line.back() == ':' && line.find("  ") == line.npos);
}

void take_row(const std::string& line, HelpListing& listing) {
  const std::size_t indent = line.find_first_not_of(' ');
  const std::string content = trimmed(line);
  if (indent == 0) {
    listing.descriptions.push_back(content);
    return;
  }
  const auto gap = content.find("  ");
  const std::string first = content.substr(0, gap);
  const std::string rest = gap == content.npos ? "" : trimmed(content.substr(gap));
  if (first.front() == '-') add_long_options(first, listing);
  if (!rest.empty()) {
    listing.descriptions.push_back(rest);
  } else if (indent >= kContinuationIndent) {
    listing.descriptions.push_back(content);
  }
}

}  // namespace

HelpListing parse_help(std::string_view help_text) {
  HelpListing listing;
  std::istringstream lines{std::string(help_text)};
  std::string line;
  while (std::getline(lines, line)) {
    if (trimmed(line).empty() || is_heading(trimmed(line))) continue;
    take_row(line, listing);
  }
  return listing;
}

HelpListing help_of(const std::string& command) {
  std::vector<std::string> args;
  if (!command.empty()) args.push_back(command);
  args.push_back("--help");
  const ProcessResult run = run_tessan(args);
  EXPECT_EQ(run.exit_code, 0) << run.err;
  return parse_help(run.out);
}

}  // namespace tessan::testing
