#include "compare/lone_source.hpp"

#include <gtest/gtest.h>

#include "compare/axes.hpp"
#include "compare/source_builder.hpp"

namespace tessan {
namespace {

using testing::source;

const std::vector<std::string> kCharger = {"TEMP", "PROG",     "GND",     "VCC",
                                           "BAT",  "~{STDBY}", "~{CHRG}", "CE"};

std::vector<std::string> renamed(std::vector<std::string> names,
                                 const std::vector<std::pair<std::size_t, std::string>>& changes) {
  for (const auto& [pin, name] : changes) names[pin - 1] = name;
  return names;
}

// Judges every conflict of the axis that `compare` finds over `sources`.
struct Judged {
  std::vector<SourceData> records;
  AxisOutcome axis;
};

Judged judge(std::vector<SourceData> records, AxisOutcome (*compare)(const SourceRefs&)) {
  Judged judged{std::move(records), {}};
  judged.axis = compare(participating_sources(judged.records));
  return judged;
}

std::map<std::string, std::string> suspects(const Judged& judged) {
  const LoneSource lone(judged.axis, participating_sources(judged.records));
  std::map<std::string, std::string> out;
  for (const auto& conflict : judged.axis.conflicts) {
    out[conflict] = lone.of(conflict).value_or("-");
  }
  return out;
}

TEST(LoneSource, PinNamesBlameTheLibraryThatNoOtherShares) {
  // KiCad and EAGLE agree that pin 7 is CHRG and pin 8 CE; only Altium says CHAR and OE. The
  // texts compare KiCad, the reference, with each other library; EAGLE writes active-low
  // with "!", which names the same pins.
  const auto judged =
      judge({source("kicad").named_pins(kCharger),
             source("eagle").named_pins(renamed(kCharger, {{6, "!STDBY"}, {7, "!CHRG"}})),
             source("altium").named_pins(renamed(kCharger, {{7, "CHAR"}, {8, "OE"}}))},
            compare_pin_names);
  EXPECT_EQ(suspects(judged), (std::map<std::string, std::string>{
                                  {"pin 6: kicad=~{STDBY} but eagle=!STDBY", "-"},
                                  // Pin 7 is Altium's fault, whichever pair is written.
                                  {"pin 7: kicad=~{CHRG} but eagle=!CHRG", "altium"},
                                  {"pin 7: kicad=~{CHRG} but altium=CHAR", "altium"},
                                  {"pin 8: kicad=CE but altium=OE", "altium"},
                              }));
}

TEST(LoneSource, PinDecisions) {
  const auto eight = [](const char* name) { return source(name).named_pins(kCharger); };
  struct Row {
    const char* what;
    Judged judged;
    std::map<std::string, std::string> expected;
  };
  const Row rows[] = {
      {"a pin drawn by one library alone",
       judge({eight("kicad"), eight("eagle").pin("9", "EP"), eight("altium")}, compare_pin_names),
       {{"pin 9 present in eagle (EP) but missing in kicad", "eagle"}}},
      {"the reference itself stands alone",
       judge({source("kicad").named_pins(renamed(kCharger, {{4, "NC"}})), eight("eagle"),
              eight("altium")},
             compare_pin_names),
       {{"pin 4: kicad=NC but eagle=VCC", "kicad"}, {"pin 4: kicad=NC but altium=VCC", "kicad"}}},
      {"two libraries only: nobody stands alone against a pair",
       judge({eight("kicad"), source("eagle").named_pins(renamed(kCharger, {{1, "NTC"}}))},
             compare_pin_names),
       {{"pin 1: kicad=TEMP but eagle=NTC", "-"}}},
      {"three values for one pin",
       judge({source("quarn").named_pins(renamed(kCharger, {{1, "NTC"}})), eight("kicad"),
              source("eagle").named_pins(renamed(kCharger, {{1, "TS"}}))},
             compare_pin_names),
       {{"pin 1: quarn=NTC but kicad=TEMP", "-"}, {"pin 1: quarn=NTC but eagle=TS", "-"}}},
      {"quarn is never the library to refetch",
       judge({source("quarn").named_pins(renamed(kCharger, {{1, "NTC"}})), eight("kicad"),
              eight("eagle")},
             compare_pin_names),
       {{"pin 1: quarn=NTC but kicad=TEMP", "-"}, {"pin 1: quarn=NTC but eagle=TEMP", "-"}}},
      {"pads of a pin: the one library that puts CE elsewhere",
       judge({eight("kicad"), eight("eagle"),
              source("altium").named_pins(renamed(kCharger, {{8, "BAT"}, {5, "CE"}}))},
             compare_pin_to_pad_map),
       {{"pin CE: kicad=pad 8 but altium=pad 5", "altium"},
        {"pin BAT: kicad=pad 5 but altium=pad 8", "altium"}}},
  };
  for (const auto& row : rows) EXPECT_EQ(suspects(row.judged), row.expected) << row.what;
}

TEST(LoneSource, StubNamedSymbolIsBlamed) {
  const AxisOutcome axis{
      "pin_names",
      Verdict::Disagree,
      {},
      {"eagle has stub-only pin names (UL bundle did not carry the part's real pin labels)"},
      3};
  EXPECT_EQ(LoneSource(axis, {}).of(axis.conflicts[0]), "eagle");
}

TEST(LoneSource, ValueDecisions) {
  struct Row {
    const char* what;
    std::string axis;
    std::map<std::string, std::string> values;
    std::optional<std::string> lone;
  };
  const Row rows[] = {
      {"one library against a shared count",
       "pad_count",
       {{"quarn", "8"}, {"kicad", "8"}, {"eagle", "8"}, {"altium", "9"}},
       "altium"},
      {"the reference stands alone",
       "symbol_pin_count",
       {{"kicad", "9"}, {"eagle", "8"}, {"altium", "8"}},
       "kicad"},
      {"two values stand alone",
       "pad_count",
       {{"quarn", "7"}, {"kicad", "8"}, {"eagle", "9"}, {"altium", "9"}},
       std::nullopt},
      {"two sources", "pad_count", {{"eagle", "9"}, {"altium", "8"}}, std::nullopt},
      {"placeholders are left out",
       "pad_count",
       {{"quarn", "(no footprint loaded)"}, {"kicad", "8"}, {"eagle", "8"}, {"altium", "9"}},
       "altium"},
      {"families, not package names",
       "package_family",
       {{"kicad", "SOIC-8_3.9x4.9mm \u2192 family=SOIC"},
        {"eagle", "SO8 \u2192 family=SOIC"},
        {"altium", "TP4056 \u2192 family=UNKNOWN"}},
       "altium"},
  };
  for (const auto& row : rows) {
    const AxisOutcome axis{row.axis, Verdict::Disagree, row.values, {"c"}, 3};
    EXPECT_EQ(LoneSource(axis, {}).of("c"), row.lone) << row.what;
  }
}

TEST(LoneSource, GeometryConflictsBlameTheFootprintInEveryPair) {
  const auto axis_with = [](std::vector<std::string> conflicts) {
    return AxisOutcome{"pad_numbers", Verdict::Disagree, {}, std::move(conflicts), 3};
  };
  const std::string kicad_altium =
      "Footprint geometry differs between kicad and altium: pad 3 "
      "lies 0.80 mm from its place";
  const std::string eagle_altium =
      "eagle and altium number the same pad positions differently (3 of 8 positions)";
  const std::string kicad_eagle = "Footprint geometry differs between kicad and eagle: pitch";

  const auto two_pairs = axis_with({kicad_altium, eagle_altium});
  EXPECT_EQ(LoneSource(two_pairs, {}).of(kicad_altium), "altium");
  EXPECT_EQ(LoneSource(two_pairs, {}).of(eagle_altium), "altium");

  const auto one_pair = axis_with({kicad_altium});
  EXPECT_EQ(LoneSource(one_pair, {}).of(kicad_altium), std::nullopt);
  const auto every_pair = axis_with({kicad_altium, eagle_altium, kicad_eagle});
  EXPECT_EQ(LoneSource(every_pair, {}).of(kicad_eagle), std::nullopt);

  EXPECT_EQ(geometry_conflict_pair(eagle_altium),
            (std::pair<std::string, std::string>{"eagle", "altium"}));
  EXPECT_EQ(geometry_conflict_pair("eagle has pads 9 that altium is missing"), std::nullopt);
}

TEST(LoneSource, BenignConflictsAreThoseTheNamingTestsAccept) {
  const auto judged =
      judge({source("kicad").named_pins(kCharger),
             source("eagle").named_pins(renamed(kCharger, {{6, "!STDBY"}, {7, "CHRG"}, {8, "OE"}})),
             source("altium").named_pins(renamed(kCharger, {{1, "PROG"}, {2, "TEMP"}}))},
            compare_pin_names);
  const LoneSource lone(judged.axis, participating_sources(judged.records));
  std::map<std::string, bool> benign;
  for (const auto& conflict : judged.axis.conflicts) benign[conflict] = lone.is_benign(conflict);
  EXPECT_EQ(benign, (std::map<std::string, bool>{
                        {"pin 6: kicad=~{STDBY} but eagle=!STDBY", true},
                        {"pin 7: kicad=~{CHRG} but eagle=CHRG", true},
                        {"pin 8: kicad=CE but eagle=OE", false},
                        // Swapped names are a fault however alike they look.
                        {"pin 1: kicad=TEMP but altium=PROG", false},
                        {"pin 2: kicad=PROG but altium=TEMP", false},
                    }));
}

}  // namespace
}  // namespace tessan
