#include "footprint_edits.hpp"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace tessan::testing {
namespace {

std::string number_text(double value) {
  std::ostringstream out;
  out.precision(6);
  out << value;
  return out.str();
}

std::pair<std::size_t, std::size_t> package_region(const std::string& text,
                                                   std::string_view package) {
  const std::string head = "<package name=\"" + std::string(package) + "\">";
  const std::size_t begin = text.find(head);
  const std::size_t end = text.find("</package>", begin);
  if (begin == std::string::npos || end == std::string::npos) {
    ADD_FAILURE() << "no package " << package;
    return {text.size(), text.size()};
  }
  return {begin, end};
}

double attribute(const std::string& element, const std::string& key) {
  std::smatch m;
  const std::regex pattern(" " + key + "=\"([^\"]*)\"");
  return std::regex_search(element, m, pattern) ? std::stod(m[1]) : 0;
}

std::string with_attribute(const std::string& element, const std::string& key,
                           const std::string& value) {
  return std::regex_replace(element, std::regex(" " + key + "=\"[^\"]*\""),
                            " " + key + "=\"" + value + "\"");
}

const std::regex kSmd(R"re(<smd [^>]*/>)re");

}  // namespace

void edit_kicad_pads(std::string& text, const PadEdit& edit) {
  const std::regex pad(
      R"re(\(pad ("[^"]*"|[^ ]+) ((?:[^()]|\([^()]*\))*?)\(at ([-0-9.e]+) ([-0-9.e]+))re");
  std::string out;
  auto last = text.cbegin();
  std::size_t count = 0;
  for (std::sregex_iterator it(text.begin(), text.end(), pad), stop; it != stop; ++it) {
    const std::smatch& m = *it;
    std::string label = m[1];
    const bool quoted = label.front() == '"';
    PadPlace place{quoted ? label.substr(1, label.size() - 2) : label, std::stod(m[3]),
                   std::stod(m[4])};
    edit(place);
    out.append(last, m[0].first);
    out += "(pad " + (quoted ? "\"" + place.label + "\"" : place.label) + " " + m[2].str() +
           "(at " + number_text(place.x) + " " + number_text(place.y);
    last = m[0].second;
    ++count;
  }
  out.append(last, text.cend());
  EXPECT_GT(count, 0u) << "no KiCad pads";
  text = out;
}

void edit_eagle_smds(std::string& text, std::string_view package, const PadEdit& edit) {
  const auto [begin, end] = package_region(text, package);
  std::string region = text.substr(begin, end - begin);
  std::string out;
  auto last = region.cbegin();
  for (std::sregex_iterator it(region.begin(), region.end(), kSmd), stop; it != stop; ++it) {
    std::string element = (*it)[0];
    std::smatch name;
    std::regex_search(element, name, std::regex(" name=\"([^\"]*)\""));
    PadPlace place{name[1], attribute(element, "x"), attribute(element, "y"),
                   attribute(element, "dx"), attribute(element, "dy")};
    edit(place);
    element = with_attribute(element, "name", place.label);
    element = with_attribute(element, "x", number_text(place.x));
    element = with_attribute(element, "y", number_text(place.y));
    element = with_attribute(element, "dx", number_text(place.dx));
    element = with_attribute(element, "dy", number_text(place.dy));
    out.append(last, (*it)[0].first);
    out += element;
    last = (*it)[0].second;
  }
  out.append(last, region.cend());
  text.replace(begin, end - begin, out);
}

void replace_eagle_pads(std::string& text, std::string_view package, std::string_view elements) {
  const auto [begin, end] = package_region(text, package);
  const std::string region =
      std::regex_replace(text.substr(begin, end - begin), kSmd, std::string());
  text.replace(begin, end - begin, region + std::string(elements));
}

void add_to_eagle_package(std::string& text, std::string_view package, std::string_view elements) {
  const auto [begin, end] = package_region(text, package);
  text.insert(end, elements);
}

std::string eagle_smd(const std::string& name, double x, double y, double dx, double dy) {
  return "<smd name=\"" + name + "\" x=\"" + number_text(x) + "\" y=\"" + number_text(y) +
         "\" dx=\"" + number_text(dx) + "\" dy=\"" + number_text(dy) + "\" layer=\"1\"/>\n";
}

std::string clockwise_label(const std::string& label, int n) {
  const int k = std::atoi(label.c_str());
  if (k < 2 || k > n || std::to_string(k) != label) return label;
  return std::to_string(n + 2 - k);
}

std::string moved_on_label(const std::string& label, int n, int by) {
  const int k = std::atoi(label.c_str());
  if (k < 1 || k > n || std::to_string(k) != label) return label;
  return std::to_string((k - 1 + by) % n + 1);
}

}  // namespace tessan::testing
