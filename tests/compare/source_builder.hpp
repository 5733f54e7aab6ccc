// Builds SourceData records for the comparison tests.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "compare/source_data.hpp"

namespace tessan::testing {

class SourceBuilder {
 public:
  explicit SourceBuilder(std::string name) { data_.name = std::move(name); }

  SourceBuilder& pads(std::vector<std::string> labels) {
    data_.pads.insert(data_.pads.end(), labels.begin(), labels.end());
    return *this;
  }
  // Pads labelled first..last in decimal.
  SourceBuilder& numbered_pads(int first, int last) {
    for (int n = first; n <= last; ++n) data_.pads.push_back(std::to_string(n));
    return *this;
  }
  SourceBuilder& pin(std::string number, std::string name, bool is_stub = false) {
    data_.pins.push_back({std::move(number), std::move(name), is_stub});
    return *this;
  }
  // Pins numbered 1, 2, ... with these names.
  SourceBuilder& named_pins(const std::vector<std::string>& names) {
    for (const std::string& name : names) pin(std::to_string(data_.pins.size() + 1), name);
    return *this;
  }
  // Pins first..last whose names repeat their numbers, flagged as stubs.
  SourceBuilder& stub_pins(int first, int last) {
    for (int n = first; n <= last; ++n) pin(std::to_string(n), std::to_string(n), true);
    return *this;
  }
  SourceBuilder& package(std::string name, std::optional<double> x = std::nullopt,
                         std::optional<double> y = std::nullopt) {
    data_.package = PackageInfo{x, y, std::move(name)};
    return *this;
  }

  SourceData build() const { return data_; }
  operator SourceData() const { return data_; }  // NOLINT: lets lists of builders read well

 private:
  SourceData data_;
};

inline SourceBuilder source(std::string name) {
  return SourceBuilder(std::move(name));
}

}  // namespace tessan::testing
