#include "parsers/eagle_reader.hpp"

#include <gtest/gtest.h>

#include <string>

#include "eagle_library_text.hpp"
#include "support/test_support.hpp"

namespace tessan {
namespace {

using testing::EagleLibraryText;
using testing::EaglePad;
using testing::pads_at;
using testing::TempDir;

class EagleReaderTest : public ::testing::Test {
 protected:
  Result<SourceData> read_text(const std::string& text) {
    return read_eagle(dir_.write("part.lbr", text));
  }
  SourceData read(const EagleLibraryText& library) {
    auto result = read_text(library.text());
    EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.error().chain());
    return result.ok() ? *result : SourceData{};
  }
  // The cause of a failed read, checking that its message is "parsing EAGLE XML".
  std::string parse_failure(const std::string& text) {
    const auto result = read_text(text);
    if (result.ok()) return "(no failure)";
    EXPECT_EQ(result.error().message(), "parsing EAGLE XML");
    return result.error().cause() != nullptr ? result.error().cause()->message() : "(no cause)";
  }

  TempDir dir_;
};

const std::vector<std::pair<const char*, const char*>> kSo8Centres = {
    {"-2.7", "1.905"}, {"-2.7", "0.635"}, {"-2.7", "-0.635"}, {"-2.7", "-1.905"},
    {"2.7", "-1.905"}, {"2.7", "-0.635"}, {"2.7", "0.635"},   {"2.7", "1.905"},
};

TEST_F(EagleReaderTest, ChosenPackageGivesPadsAndPadCentreExtent) {
  const auto record = read(EagleLibraryText()
                               .package("TSSOP", pads_at({{"0", "0"}, {"1", "1"}}))
                               .package("SO8", pads_at(kSo8Centres))
                               .device("SO8", {{"VCC", "8"}, {"GND", "4"}}));
  EXPECT_EQ(record.name, "eagle");
  EXPECT_EQ(record.pads, (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8"}));
  ASSERT_TRUE(record.package);
  EXPECT_EQ(record.package->package_name, "SO8");
  ASSERT_TRUE(record.package->body_x_mm && record.package->body_y_mm);
  EXPECT_DOUBLE_EQ(*record.package->body_x_mm, 5.4);
  EXPECT_DOUBLE_EQ(*record.package->body_y_mm, 3.81);
  EXPECT_EQ(record.pins, (std::vector<Pin>{{"8", "VCC", false}, {"4", "GND", false}}));
}

TEST_F(EagleReaderTest, PackageChoice) {
  struct Case {
    const char* what;
    EagleLibraryText library;
    std::optional<std::string> package;
    std::size_t pads;
  };
  const std::vector<Case> cases = {
      {"device names a package that is absent",
       EagleLibraryText().package("SO8", pads_at(kSo8Centres)).device("QFN", {}), "QFN", 0},
      {"no device names one: smallest name",
       EagleLibraryText()
           .package("TSSOP", pads_at(kSo8Centres))
           .package("SOIC", pads_at({{"0", "0"}}))
           .device(std::nullopt, {}),
       "SOIC", 1},
      {"first device with a package wins",
       EagleLibraryText()
           .package("A", pads_at({{"0", "0"}}))
           .package("B", pads_at(kSo8Centres))
           .device(std::nullopt, {})
           .device("B", {})
           .device("A", {}),
       "B", 8},
      {"nameless package is skipped",
       EagleLibraryText().raw_package("<package><smd name=\"1\" x=\"0\" y=\"0\"/></package>"),
       std::nullopt, 0},
      {"empty library", EagleLibraryText(), std::nullopt, 0},
  };
  for (const auto& c : cases) {
    const auto record = read(c.library);
    EXPECT_EQ(record.package ? std::optional(record.package->package_name) : std::nullopt,
              c.package)
        << c.what;
    EXPECT_EQ(record.pads.size(), c.pads) << c.what;
    if (record.package && c.pads == 0) {
      EXPECT_FALSE(record.package->body_x_mm) << c.what;
    }
  }
}

TEST_F(EagleReaderTest, LaterPackageOfTheSameNameReplacesTheEarlier) {
  const auto record = read(EagleLibraryText()
                               .package("P", pads_at(kSo8Centres))
                               .package("P", {{"A", "1", "2"}, {"B", "4", "2", "pad"}})
                               .device("P", {}));
  EXPECT_EQ(record.pads, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(record.package, (PackageInfo{3.0, 0.0, "P"}));
}

TEST_F(EagleReaderTest, ExtentFollowsTheNumberGrammar) {
  struct Case {
    std::vector<EaglePad> pads;
    std::optional<double> width;
    std::optional<double> height;
  };
  const std::vector<Case> cases = {
      {{{"1", "1.5", "-2"}}, 0.0, 0.0},
      {{{"1", "0", "0"}, {"2", " 5", "9"}, {"3", ".5", "-1e0"}}, 0.5, 1.0},
      {{{"1", "NaN", "3"}, {"2", "nan", "4"}}, std::nullopt, 1.0},
      {{{"1", "0", "0"}, {"2", "Infinity", "1"}}, std::nullopt, 1.0},
      {{{"1", "0", std::nullopt}, {"2", std::nullopt, "0"}}, std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    const auto record = read(EagleLibraryText().package("P", c.pads));
    ASSERT_TRUE(record.package);
    EXPECT_EQ(record.package->body_x_mm, c.width) << c.pads[1 % c.pads.size()].x.value_or("");
    EXPECT_EQ(record.package->body_y_mm, c.height) << c.pads[1 % c.pads.size()].y.value_or("");
    EXPECT_EQ(record.pads.size(), c.pads.size()) << "every named pad counts";
  }
}

TEST_F(EagleReaderTest, PinsFromConnects) {
  struct Case {
    const char* what;
    std::vector<testing::EagleConnectText> connects;
    std::vector<Pin> pins;
  };
  const std::vector<Case> cases = {
      {"same pin on two pads", {{"GND", "4"}, {"GND", "9"}}, {{"4", "GND"}, {"9", "GND"}}},
      {"repeated pair once", {{"A", "1"}, {"B", "2"}, {"A", "1"}}, {{"1", "A"}, {"2", "B"}}},
      {"stub", {{"3", "3"}, {"", "4"}}, {{"3", "3", true}, {"4", "", true}}},
      {"one pin on several pads",
       {{"GND", "3 5  21"}},
       {{"3", "GND"}, {"5", "GND"}, {"21", "GND"}}},
      {"numbered duplicate names",
       {{"GND@1", "4"},
        {"GND@2", "9"},
        {"GND@A", "9"},
        {"A@", "1"},
        {"B@1x", "2"},
        {"@7", "7"},
        {"C@1@2", "8"}},
       {{"4", "GND"}, {"9", "GND"}, {"1", "A@"}, {"2", "B"}, {"7", "", true}, {"8", "C"}}},
      {"blank pad value trimmed", {{"NC", " "}}, {{"", "NC"}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(read(EagleLibraryText().device("P", c.connects)).pins, c.pins) << c.what;
  }
}

TEST_F(EagleReaderTest, PinsComeFromTheDeviceThatChoseThePackage) {
  const auto record = read(EagleLibraryText()
                               .package("SOIC8", pads_at(kSo8Centres))
                               .device(std::nullopt, {{"X", "1"}})
                               .device("SOIC8", {{"CS", "1"}, {"GND", "4"}})
                               .device("WSON8", {{"CS", "1"}, {"GND", "4 PAD"}, {"Y", "2"}}));
  EXPECT_EQ(record.pins, (std::vector<Pin>{{"1", "CS"}, {"4", "GND"}}));
  const auto without_connects =
      read(EagleLibraryText().device("SOIC8", {}).device("WSON8", {{"CS", "1"}}));
  EXPECT_TRUE(without_connects.pins.empty());
  const auto no_package_named = read(EagleLibraryText()
                                         .device(std::nullopt, {{"A", "1"}})
                                         .device(std::nullopt, {{"A", "1"}, {"B", "2"}}));
  EXPECT_EQ(no_package_named.pins, (std::vector<Pin>{{"1", "A"}, {"2", "B"}}));
}

TEST_F(EagleReaderTest, MatchesLocalNamesAndNamespaceLessAttributes) {
  const auto record = read_text(
      "<eagle xmlns:e=\"urn:x\"><e:package name=\"P\" e:name=\"Q\">"
      "<e:smd name=\"1\" x=\"0\" y=\"0\"/><smd e:name=\"2\" x=\"1\" y=\"1\"/></e:package>"
      "<device e:package=\"Q\"/><e:device package=\"P\"><connect pin=\"A\" pad=\"1\"/>"
      "<connect e:pin=\"B\" pad=\"2\"/></e:device></eagle>");
  ASSERT_TRUE(record.ok()) << record.error().chain();
  EXPECT_EQ(record->package, (PackageInfo{1.0, 1.0, "P"}));
  EXPECT_EQ(record->pads, std::vector<std::string>{"1"});
  EXPECT_EQ(record->pins, (std::vector<Pin>{{"1", "A"}}));
}

TEST_F(EagleReaderTest, InternalEntitiesInAttributesAreExpanded) {
  const auto record = read_text(
      "<!DOCTYPE eagle [<!ENTITY pkg \"SO&amp;8\"><!ENTITY two \"&pkg;-&pkg;\">]>"
      "<eagle><package name=\"&two;\"><smd name=\"&pkg;\" x=\"0\" y=\"0\"/></package></eagle>");
  ASSERT_TRUE(record.ok()) << record.error().chain();
  ASSERT_TRUE(record->package);
  EXPECT_EQ(record->package->package_name, "SO&8-SO&8");
  EXPECT_EQ(record->pads, std::vector<std::string>{"SO&8"});
}

TEST_F(EagleReaderTest, EntityExpansionIsBounded) {
  const std::string laughs =
      "<!DOCTYPE eagle [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
      "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
      "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\"><!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">"
      "<!ENTITY g \"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\"><!ENTITY h \"&g;&g;&g;&g;&g;&g;&g;&g;&g;&g;\">"
      "<!ENTITY i \"&h;&h;&h;&h;&h;&h;&h;&h;&h;&h;\">]><eagle><package name=\"&i;\"/></eagle>";
  EXPECT_NE(parse_failure(laughs), "(no failure)");

  // Each reference is cheap for the parser, but all of them together would expand to 2 GB.
  std::string many = "<!DOCTYPE eagle [<!ENTITY big \"" + std::string(100000, 'x') + "\">]><eagle>";
  for (int i = 0; i < 20000; ++i) many += "<package name=\"&big;\"/>";
  many += "</eagle>";
  EXPECT_NE(parse_failure(many).find("entity references in attribute values expand beyond"),
            std::string::npos);
}

TEST_F(EagleReaderTest, ExternalEntitiesAreNeverRead) {
  const auto secret = dir_.write("secret.txt", "SECRET");
  const auto result = read_text("<!DOCTYPE eagle [<!ENTITY ext SYSTEM \"" + secret.string() +
                                "\">]><eagle><package name=\"P\"><smd name=\"1\"/>"
                                "<description>&ext;</description></package>"
                                "<device package=\"&ext;\"/></eagle>");
  if (result.ok()) {
    ASSERT_TRUE(result->package);
    EXPECT_EQ(result->package->package_name.find("SECRET"), std::string::npos);
  } else {
    EXPECT_EQ(result.error().message(), "parsing EAGLE XML");
  }
}

TEST_F(EagleReaderTest, MalformedDocumentsFailWithTheFirstErrorsPosition) {
  struct Case {
    std::string text;
    std::string cause_start;
  };
  const std::string library = EagleLibraryText().package("P", pads_at(kSo8Centres)).text();
  const std::vector<Case> cases = {
      {"", "line 1, column 1: "},
      {"<eagle>\n<package name=\"P\">\n</eagle>", "line 3, column 9: Opening and ending tag"},
      {library.substr(0, library.size() / 2), "line "},
      {std::string("\x01\x02\x03\x04", 4), "line 1, column 1: "},
      {"<eagle/><eagle/>", "line 1, column 9: "},
  };
  for (const auto& c : cases) {
    const std::string cause = parse_failure(c.text);
    EXPECT_EQ(cause.rfind(c.cause_start, 0), 0u) << cause;
    EXPECT_EQ(cause.find('\n'), std::string::npos) << cause;
  }
}

TEST_F(EagleReaderTest, NothingReachesTheConsole) {
  ::testing::internal::CaptureStderr();
  ::testing::internal::CaptureStdout();
  (void)read_text("<eagle xmlns:x=\"u\"><y:package name=\"P\"/></eagle>");
  (void)read_text("<eagle><package name=\"P\"></eagle>");
  (void)read_text("<?xml version=\"1.0\" encoding=\"nonsense\"?><eagle/>");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST_F(EagleReaderTest, HostileSizesFailCleanly) {
  std::string deep;
  for (int i = 0; i < 1'000'000; ++i) deep += "<package name=\"P\">";
  EXPECT_NE(parse_failure(deep).find("depth"), std::string::npos);

  const std::string huge_attribute =
      "<eagle><package name=\"" + std::string(20 << 20, 'n') + "\"/></eagle>";
  EXPECT_NE(parse_failure(huge_attribute), "(no failure)");
}

TEST_F(EagleReaderTest, NestingWithinTheParsersLimitIsWalked) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "<g>";
  text +=
      "<package name=\"P\"><smd name=\"1\" x=\"0\" y=\"0\"/></package><device package=\"P\">"
      "<connect pin=\"A\" pad=\"1\"/></device>";
  for (int i = 0; i < 200; ++i) text += "</g>";
  const auto record = read_text(text);
  ASSERT_TRUE(record.ok()) << record.error().chain();
  EXPECT_EQ(record->pads, std::vector<std::string>{"1"});
  EXPECT_EQ(record->pins, (std::vector<Pin>{{"1", "A"}}));
}

TEST_F(EagleReaderTest, UnreadableFilesFailWithReading) {
  const auto missing = dir_.path() / "missing.lbr";
  const auto latin1 = dir_.write("latin1.lbr", "<eagle><package name=\"\xe9\"/></eagle>");
  for (const auto& path : {missing, latin1}) {
    const auto result = read_eagle(path);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().message(), "reading " + path.string());
  }
}

TEST_F(EagleReaderTest, EncodingDeclarationDoesNotOverrideUtf8) {
  const auto record = read_text(
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><eagle><package name=\"\xc2\xb5"
      "BGA\"/></eagle>");
  ASSERT_TRUE(record.ok()) << record.error().chain();
  ASSERT_TRUE(record->package);
  EXPECT_EQ(record->package->package_name,
            "\xc2\xb5"
            "BGA");
}

}  // namespace
}  // namespace tessan
