// The EAGLE reader on hostile XML: truncation, nesting, entity expansion and entities or
// includes that point outside the file.
#include <gtest/gtest.h>

#include <string>

#include "hostile/bounded_run.hpp"
#include "hostile/file_open_watch.hpp"
#include "hostile/hostile_inputs.hpp"
#include "hostile/reader_outcome.hpp"
#include "parsers/eagle_reader.hpp"
#include "support/test_support.hpp"

namespace tessan::hostile {
namespace {

using testing::TempDir;

constexpr const char* kParseError = "error: parsing EAGLE XML";

std::string library_with(const std::string& doctype, const std::string& packages) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + doctype +
         "<eagle version=\"9.6.2\"><drawing><library><packages>\n" + packages +
         "</packages><devicesets><deviceset name=\"D\"><devices>"
         "<device name=\"\" package=\"SO8\"><connects>"
         "<connect gate=\"G\" pin=\"OUT\" pad=\"1\"/><connect gate=\"G\" pin=\"IN\" pad=\"2\"/>"
         "</connects></device></devices></deviceset></devicesets>"
         "</library></drawing></eagle>\n";
}

const std::string kPackage =
    "<package name=\"SO8\"><smd name=\"1\" x=\"-2.6\" y=\"1.9\"/>"
    "<smd name=\"2\" x=\"2.6\" y=\"-1.9\"/><pad name=\"3\" x=\"0\" y=\"0\" "
    "drill=\"1\"/></package>\n";
const std::string kLibrary = library_with("<!DOCTYPE eagle SYSTEM \"eagle.dtd\">\n", kPackage);

class EagleHostile : public ::testing::Test {
 protected:
  std::string read_text(const std::string& text) {
    return describe(read_eagle(dir_.write("a.lbr", text)));
  }
  BoundedRun read_bounded(const std::string& text) {
    const auto path = dir_.write("a.lbr", text);
    return run_bounded([&] { return describe(read_eagle(path)); });
  }

  TempDir dir_;
};

TEST_F(EagleHostile, TheValidLibraryReads) {
  EXPECT_EQ(read_text(kLibrary), "pins=2 pads=3 package=SO8");
}

TEST_F(EagleHostile, EmptyAndBlankFilesAreNotXml) {
  EXPECT_EQ(read_text(""), kParseError);
  EXPECT_EQ(read_text(" \n"), kParseError);
}

TEST_F(EagleHostile, RandomBytesAreRefused) {
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    const std::string outcome = read_text(random_bytes(seed, 256 * seed));
    EXPECT_TRUE(outcome.starts_with("error: reading ") || outcome == kParseError) << seed;
    std::string markup = random_bytes(seed, 256 * seed);
    for (char& c : markup) c = "<>/=\"&;!? abcdEFGH"[static_cast<unsigned char>(c) % 18];
    EXPECT_EQ(read_text(markup), kParseError) << seed;
  }
}

// The document ends with the root's end tag and a line feed: any cut before the end tag is
// complete leaves an element open.
TEST_F(EagleHostile, EveryTruncationIsNotWellFormed) {
  for (std::size_t cut = 0; cut + 1 < kLibrary.size(); ++cut) {
    EXPECT_EQ(read_text(kLibrary.substr(0, cut)), kParseError) << cut;
  }
}

TEST_F(EagleHostile, DeepNestingIsRefusedAndModerateNestingReads) {
  const auto deep = read_bounded(library_with("", nested("<a>", "</a>", 1'000'000)));
  ASSERT_TRUE(deep.finished) << deep.ending;
  EXPECT_EQ(deep.report, kParseError);

  const std::string moderate = nested("<a>", "</a>", 200);
  const std::string inside = moderate.substr(0, 600) + kPackage + moderate.substr(600);
  EXPECT_EQ(read_text(library_with("", inside)), "pins=2 pads=3 package=SO8");
}

std::string laughs_doctype(const std::string& unit) {
  std::string doctype = "<!DOCTYPE eagle [\n<!ENTITY a0 \"" + unit + "\">\n";
  for (int level = 1; level <= 9; ++level) {
    doctype += "<!ENTITY a" + std::to_string(level) + " \"";
    for (int i = 0; i < 10; ++i) doctype += "&a" + std::to_string(level - 1) + ";";
    doctype += "\">\n";
  }
  return doctype + "]>\n";
}

// Entities are never substituted into the tree, and what they may expand to is bounded: the XML
// parser refuses amplifying references in text, and attribute values have an expansion budget.
// Exponential and quadratic expansion both end in an error, within bounds.
TEST_F(EagleHostile, EntityExpansionBombsEndInAnErrorWithinBounds) {
  const std::string big_entity =
      "<!DOCTYPE eagle [<!ENTITY big \"" + std::string(1 << 20, 'x') + "\">]>\n";
  std::string many_references;
  for (int i = 0; i < 4096; ++i) many_references += "&big;";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"billion laughs in a package name",
       library_with(laughs_doctype("lol"), "<package name=\"&a9;\"/>" + kPackage)},
      {"billion laughs in a pad name",
       library_with(laughs_doctype("lol"),
                    "<package name=\"SO8\"><smd name=\"&a9;\" x=\"0\" y=\"0\"/></package>")},
      {"billion laughs in text content",
       library_with(laughs_doctype("lol"),
                    "<package name=\"SO8\"><description>&a9;</description>"
                    "<smd name=\"1\" x=\"0\" y=\"0\"/></package>")},
      {"quadratic blow-up in a pin name",
       library_with(big_entity, kPackage + "<package name=\"Q\"><smd name=\"" + many_references +
                                    "\" x=\"0\" y=\"0\"/></package>")},
  };
  for (const auto& [label, text] : cases) {
    const auto run = read_bounded(text);
    ASSERT_TRUE(run.finished) << label << ": " << run.ending;
    EXPECT_EQ(run.report, kParseError) << label;
    EXPECT_LT(run.peak_rise_mib, memory_ceiling_mib(text.size())) << label;
  }
}

// Files named by external entities, external document type definitions, parameter entities
// and XIncludes are never opened.
TEST_F(EagleHostile, NothingOutsideTheFileIsRead) {
  const auto secret = dir_.write("secret.txt", "SECRET");
  const auto dtd = dir_.write("evil.dtd", "<!ENTITY leak \"FROMDTD\">");
  const std::string secret_uri = "file://" + secret.string();
  const std::string dtd_uri = "file://" + dtd.string();
  const std::string external = "<!DOCTYPE eagle [<!ENTITY ext SYSTEM \"" + secret_uri + "\">]>\n";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"external entity in text",
       library_with(external,
                    "<package name=\"SO8\"><description>&ext;</description>"
                    "<smd name=\"1\" x=\"0\" y=\"0\"/></package>")},
      {"external entity in an attribute",
       library_with(external, "<package name=\"&ext;\"/>" + kPackage)},
      {"external entity by plain path",
       library_with("<!DOCTYPE eagle [<!ENTITY ext SYSTEM \"" + secret.string() + "\">]>\n",
                    "<package name=\"SO8\"><description>&ext;</description></package>")},
      {"external document type definition",
       library_with("<!DOCTYPE eagle SYSTEM \"" + dtd_uri + "\">\n",
                    "<package name=\"&leak;\"/>" + kPackage)},
      {"external parameter entity",
       library_with("<!DOCTYPE eagle [<!ENTITY % p SYSTEM \"" + dtd_uri + "\"> %p;]>\n",
                    "<package name=\"&leak;\"/>" + kPackage)},
      {"XInclude", library_with("",
                                "<package name=\"SO8\"><xi:include "
                                "xmlns:xi=\"http://www.w3.org/2001/XInclude\" href=\"" +
                                    secret_uri + "\" parse=\"text\"/></package>")},
  };
  for (const auto& [label, text] : cases) {
    const FileOpenWatch secret_watch(secret);
    const FileOpenWatch dtd_watch(dtd);
    const auto run = read_bounded(text);
    ASSERT_TRUE(run.finished) << label << ": " << run.ending;
    EXPECT_FALSE(secret_watch.touched()) << label;
    EXPECT_FALSE(dtd_watch.touched()) << label;
    EXPECT_EQ(run.report.find("SECRET"), std::string::npos) << label << ": " << run.report;
    EXPECT_EQ(run.report.find("FROMDTD"), std::string::npos) << label << ": " << run.report;
  }
}

TEST_F(EagleHostile, AHugeAttributeValueIsRefusedWithinBounds) {
  const std::string text =
      library_with("", "<package name=\"" + std::string(huge_input_bytes(), 'n') + "\"/>");
  const auto run = read_bounded(text);
  ASSERT_TRUE(run.finished) << run.ending;
  EXPECT_EQ(run.report, kParseError);
  EXPECT_LT(run.peak_rise_mib, memory_ceiling_mib(text.size()));
}

// The library is read as a stream: what stays is the text and the pads kept from it, so the
// memory is a small multiple of the input.
TEST_F(EagleHostile, AHugeLibraryReadsWithinBounds) {
  // With a line beside each pad, so that the pads stay below the most one source may have.
  const std::string pad =
      "<smd name=\"P\" x=\"1.27\" y=\"-0.5\" dx=\"0.3\" dy=\"1.2\" layer=\"1\"/>\n"
      "<wire x1=\"-1.27\" y1=\"0.5\" x2=\"1.27\" y2=\"0.5\" width=\"0.2\" layer=\"21\"/>\n";
  const std::string pads = repeated(pad, huge_input_bytes());
  const std::string text = library_with("", "<package name=\"SO8\">" + pads + "</package>");
  const auto run = read_bounded(text);
  ASSERT_TRUE(run.finished) << run.ending;
  EXPECT_EQ(run.report, "pins=2 pads=" + std::to_string(pads.size() / pad.size()) + " package=SO8");
  EXPECT_LT(run.peak_rise_mib, memory_ceiling_mib(text.size()));
}

// Each pad belongs to the package nearest above it, so nested packages cost no more than flat
// ones: every pad is collected once.
TEST_F(EagleHostile, NestedPackagesCollectEachPadOnce) {
  constexpr std::size_t kDepth = 250;
  std::string open;
  std::string close;
  for (std::size_t i = 0; i < kDepth; ++i) {
    open += "<package name=\"P" + std::to_string(i) + "\">";
    close += "</package>";
  }
  const std::string pad = "<smd name=\"1\" x=\"0\" y=\"0\" dx=\"1\" dy=\"1\" layer=\"1\"/>";
  const std::string pads = repeated(pad, 2 << 20);
  const std::string body = open + pads + close;
  const auto chosen = [&](std::size_t level) {
    std::string text = library_with("", body);
    const std::string device = "package=\"SO8\"";
    return text.replace(text.find(device), device.size(),
                        "package=\"P" + std::to_string(level) + "\"");
  };
  const auto inner = read_bounded(chosen(kDepth - 1));
  ASSERT_TRUE(inner.finished) << inner.ending;
  EXPECT_EQ(inner.report, "pins=2 pads=" + std::to_string(pads.size() / pad.size()) + " package=P" +
                              std::to_string(kDepth - 1));
  EXPECT_LT(inner.peak_rise_mib, memory_ceiling_mib(body.size()));
  EXPECT_EQ(read_text(chosen(0)), "pins=2 pads=0 package=P0");
}

}  // namespace
}  // namespace tessan::hostile
