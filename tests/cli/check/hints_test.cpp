#include "cli/hints.hpp"

#include <gtest/gtest.h>

#include "cli/altium_slot.hpp"
#include "cli/source_discovery.hpp"
#include "compare/source_builder.hpp"

namespace tessan {
namespace {

using testing::source;

AxisOutcome disagreeing(std::string name, std::map<std::string, std::string> values,
                        std::vector<std::string> conflicts) {
  return AxisOutcome{std::move(name), Verdict::Disagree, std::move(values), std::move(conflicts),
                     3};
}

std::vector<Hint> hints_for(const AxisOutcome& axis, const std::vector<SourceData>& records = {},
                            const std::vector<std::string>& covered = {},
                            KicadFilesRead kicad = {true, true}) {
  std::vector<Hint> hints;
  append_axis_hints("ADS1115IDGSR", records, {axis}, covered, kicad, hints);
  return hints;
}

std::vector<std::string> refetch_notes(const std::vector<Hint>& hints) {
  std::vector<std::string> notes;
  for (const auto& hint : hints) notes.push_back(std::get<RefetchLibrarySource>(hint).notes);
  return notes;
}

TEST(Hints, SuspectFormatByAxis) {
  const std::pair<const char*, const char*> rows[] = {
      {"package_family", "kicad_mod"},   {"pad_count", "kicad_mod"},
      {"pad_numbers", "kicad_mod"},      {"body_dims", "kicad_mod"},
      {"symbol_pin_count", "kicad_sym"}, {"pin_names", "kicad_sym"},
      {"pin_to_pad_map", "kicad_sym"},   {"something_else", "unknown"}};
  for (const auto& [axis, format] : rows) EXPECT_EQ(suspect_format(axis), format) << axis;
}

TEST(Hints, UncoveredFamilyDisagreementAsksForARefetchFromFiveSources) {
  const auto hints = hints_for(
      disagreeing("package_family", {{"kicad", "SOIC-8 \u2192 family=SOIC"}, {"quarn", "x"}},
                  {"Package families disagree across sources: quarn=VSSOP, kicad=SOIC"}));
  ASSERT_EQ(hints.size(), 1u);
  const auto& refetch = std::get<RefetchLibrarySource>(hints[0]);
  EXPECT_EQ(refetch.format, "kicad_mod");
  EXPECT_EQ(refetch.suspect, "package_family");
  EXPECT_EQ(refetch.notes, "Package families disagree across sources: quarn=VSSOP, kicad=SOIC");
  ASSERT_EQ(refetch.suggested_sources.size(), 5u);
  EXPECT_EQ(refetch.suggested_sources[0],
            "Manufacturer site: ADS1115IDGSR datasheet+CAD page (search the part number on the "
            "manufacturer's website; many manufacturers offer a manufacturer-direct ZIP that "
            "bypasses UL).");
  EXPECT_EQ(refetch.suggested_sources[4],
            "Component Search Engine (componentsearchengine.com): yet another upstream \u2014 "
            "useful as a tiebreaker.");
  EXPECT_EQ(refetch.expected_resolution,
            "Re-run `tessan check` after refetch; axis 'package_family' should change from "
            "'disagree' to 'agree' (or be covered by a benign variant).");
}

TEST(Hints, RefetchFormatNamesTheLoneLibraryOrAKiCadFileThatWasRead) {
  struct Row {
    const char* axis;
    std::optional<std::string> suspect;
    KicadFilesRead kicad;
    const char* format;
  };
  const Row rows[] = {
      {"pin_names", "kicad", {true, false}, "kicad_sym"},
      {"pad_count", "kicad", {false, true}, "kicad_mod"},
      {"pin_to_pad_map", "eagle", {true, true}, "eagle"},
      {"package_family", "altium", {true, true}, "altium"},
      {"pin_names", std::nullopt, {true, false}, "kicad_sym"},
      {"pin_names", std::nullopt, {false, true}, "unknown"},
      {"body_dims", std::nullopt, {false, true}, "kicad_mod"},
      {"pad_numbers", std::nullopt, {true, false}, "unknown"},
      {"something_else", std::nullopt, {true, true}, "unknown"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(refetch_format(row.axis, row.suspect, row.kicad), row.format) << row.axis;
  }
  for (const char* format : {"kicad_sym", "kicad_mod", "eagle", "altium"}) {
    EXPECT_EQ(suggested_sources(format, "M").size(), 5u) << format;
  }
}

TEST(Hints, RefetchHintsBlameTheLoneLibraryFromTheSourcesData) {
  const std::vector<SourceData> records = {source("kicad").pin("7", "CHRG").pin("8", "CE"),
                                           source("eagle").pin("7", "CHRG").pin("8", "CE"),
                                           source("altium").pin("7", "CHAR").pin("8", "OE")};
  const auto hints =
      hints_for(disagreeing("pin_names", {},
                            {"pin 7: kicad=CHRG but altium=CHAR", "pin 8: kicad=CE but altium=OE"}),
                records, {}, {true, false});
  ASSERT_EQ(hints.size(), 2u);
  for (const auto& hint : hints) EXPECT_EQ(std::get<RefetchLibrarySource>(hint).format, "altium");
}

TEST(Hints, ConflictsTheNamingRulesAcceptGiveNoHintUnlessAllDo) {
  const std::vector<SourceData> records = {
      source("kicad").pin("6", "~{STDBY}").pin("7", "CHRG").pin("8", "CE"),
      source("eagle").pin("6", "!STDBY").pin("7", "CHRG").pin("8", "OE")};
  const std::string benign = "pin 6: kicad=~{STDBY} but eagle=!STDBY";
  const std::string fault = "pin 8: kicad=CE but eagle=OE";
  EXPECT_EQ(refetch_notes(hints_for(disagreeing("pin_names", {}, {benign, fault}), records)),
            std::vector<std::string>{fault});
  EXPECT_EQ(refetch_notes(hints_for(disagreeing("pin_names", {}, {benign}), records)),
            std::vector<std::string>{benign});
}

TEST(Hints, UnknownAxisSuggestsTheFetchLog) {
  const auto sources = suggested_sources("unknown", "M");
  ASSERT_EQ(sources.size(), 1u);
  EXPECT_EQ(sources[0],
            "Inspect the harvo fetch log to identify which upstream source was used; refetch from "
            "a different one.");
}

TEST(Hints, LoneQuarnByValuesGivesOneRerunHintPerConflict) {
  const auto hints = hints_for(
      disagreeing("pad_count", {{"quarn", "9"}, {"kicad", "8"}, {"eagle", "8"}, {"altium", "8"}},
                  {"Pad counts differ across sources: [9, 8, 8, 8]"}));
  ASSERT_EQ(hints.size(), 1u);
  const auto& rerun = std::get<RerunQuarnWithStrongerModel>(hints[0]);
  EXPECT_EQ(rerun.suspect_field, "pad_count");
  EXPECT_EQ(rerun.suggested_model, "claude-opus-4-7");
  EXPECT_EQ(rerun.reason,
            "On axis 'pad_count', quarn is the lone disagreer \u2014 every other parsed source "
            "agrees against it. Most likely a Haiku misread of the datasheet (typo, swapped pins, "
            "or fine-pitch label collision). Re-running with Opus typically resolves these.");
}

TEST(Hints, LoneQuarnDecisions) {
  struct Row {
    const char* what;
    AxisOutcome axis;
    bool lone;
  };
  const Row rows[] = {
      {"quarn alone against a shared value",
       disagreeing("pad_count", {{"quarn", "9"}, {"kicad", "8"}, {"eagle", "8"}}, {}), true},
      {"two sources stand alone",
       disagreeing("pad_count", {{"quarn", "9"}, {"kicad", "8"}, {"eagle", "8"}, {"altium", "7"}},
                   {"Pad counts differ across sources: [9, 8, 8, 7]"}),
       false},
      {"placeholders are left out",
       disagreeing(
           "pad_count",
           {{"quarn", "9"}, {"kicad", "8"}, {"eagle", "8"}, {"altium", "(no footprint loaded)"}},
           {}),
       true},
      {"two pairwise conflicts naming quarn",
       disagreeing("pin_names", {{"quarn", "8 named pins"}, {"kicad", "8 named pins"}},
                   {"pin 3: quarn=VDD but kicad=GND", "pin 4: quarn=A but kicad=B"}),
       true},
      {"a single pairwise conflict is not enough",
       disagreeing("pin_names", {}, {"pin 3: quarn=VDD but kicad=GND"}), false},
      {"a pair without quarn",
       disagreeing("pin_names", {},
                   {"pin 3: quarn=VDD but kicad=GND", "pin 4: kicad=A but eagle=B"}),
       false},
      {"quarn as reference against the one library that differs",
       disagreeing(
           "pin_names",
           {{"quarn", "8 named pins"}, {"kicad", "8 named pins"}, {"eagle", "8 named pins"}},
           {"pin 4: quarn=GND but kicad=VCC", "pin 8: quarn=VCC but kicad=GND"}),
       false},
      {"quarn against each of the libraries",
       disagreeing(
           "pin_names",
           {{"quarn", "8 named pins"}, {"kicad", "8 named pins"}, {"eagle", "8 named pins"}},
           {"pin 4: quarn=VCC but kicad=GND", "pin 4: quarn=VCC but eagle=GND"}),
       true},
      {"a stub source is no opponent",
       disagreeing("pin_names",
                   {{"quarn", "8 named pins"},
                    {"kicad", "8 named pins"},
                    {"eagle", "(stub names: 8 of 8 are numeric)"}},
                   {"eagle has stub-only pin names (UL bundle did not carry the part's real pin "
                    "labels)",
                    "pin 4: quarn=VCC but kicad=GND", "pin 8: quarn=GND but kicad=VCC"}),
       true},
      {"quarn agrees with the majority",
       disagreeing("pad_count", {{"quarn", "8"}, {"kicad", "8"}, {"eagle", "9"}}, {}), false},
  };
  for (const auto& row : rows)
    EXPECT_EQ(is_lone_quarn_disagreement(row.axis), row.lone) << row.what;
}

TEST(Hints, BodyDimConflictsMentioningQuarnAskForARerun) {
  const auto rerun = hints_for(disagreeing(
      "body_dims", {{"quarn", "3.00\u00d74.90 mm"}, {"eagle", "4.90\u00d73.00 mm"}},
      {"eagle body 4.90\u00d73.00 mm differs from quarn body 3.00\u00d74.90 mm by >0.5 mm"}));
  ASSERT_EQ(rerun.size(), 1u);
  const auto& hint = std::get<RerunQuarnWithStrongerModel>(rerun[0]);
  EXPECT_EQ(hint.suspect_field, "bodyDimensions.x or bodyDimensions.y");
  EXPECT_EQ(hint.reason,
            "quarn reported a body dim that's likely the lead-tip span rather than the body "
            "D-dim \u2014 a known Haiku misread on small SOIC/VSSOP packages.");

  const auto refetch = hints_for(
      disagreeing("body_dims", {},
                  {"altium body 1.00\u00d71.00 mm differs from eagle body 3.00\u00d73.00 mm "
                   "by >0.5 mm"}));
  ASSERT_EQ(refetch.size(), 1u);
  EXPECT_EQ(std::get<RefetchLibrarySource>(refetch[0]).format, "kicad_mod");
}

TEST(Hints, CoveredStubConflictGivesTheStubHintWithThePinCount) {
  const SourceData kicad = source("kicad").stub_pins(1, 2).pin("3", "", true);
  const auto hints = hints_for(
      disagreeing("pin_names", {},
                  {"kicad has stub-only pin names (UL bundle did not carry the part's real pin "
                   "labels)",
                   "pin 1: quarn=VDD but eagle=GND"}),
      {kicad}, {"pin_names", "pin_to_pad_map"});
  ASSERT_EQ(hints.size(), 1u);
  const auto& stub = std::get<UlSymbolHasStubNames>(hints[0]);
  EXPECT_EQ(stub.source, "kicad");
  EXPECT_EQ(stub.pin_count, 3u);
  EXPECT_EQ(stub.suggestion,
            "Use quarn-extracted symbol JSON for downstream tools that need real pin labels.");
  EXPECT_EQ(stub.harvo_action,
            "Do NOT refetch the .kicad_sym \u2014 UL stub-naming is a UL-bundle property, not a "
            "harvo choice. Instead, mark this chip dir's symbol source as 'quarn-preferred' so "
            "downstream drawlet authors a fresh .kicad_sym from quarn's JSON.");
}

TEST(Hints, StubConflictNamingAnUnknownSourceCountsNoPins) {
  const auto hints = hints_for(
      disagreeing("pin_names", {}, {"eagle has stub-only pin names (UL bundle did not carry)"}), {},
      {"pin_names"});
  ASSERT_EQ(hints.size(), 1u);
  EXPECT_EQ(std::get<UlSymbolHasStubNames>(hints[0]).pin_count, 0u);
}

TEST(Hints, StubSymbolsWithoutConflictLinesGetTheHintFromThreePins) {
  SourceData three;
  three.name = "kicad";
  three.pins = {{"1", "", true}, {"2", "", true}, {"3", "", true}};
  SourceData two;
  two.name = "eagle";
  two.pins = {{"1", "1", true}, {"2", "2", true}};
  for (const Verdict verdict : {Verdict::Agree, Verdict::SourceMissing}) {
    const AxisOutcome names{"pin_names",
                            verdict,
                            {{"kicad", "(stub names: 3 of 3 are numeric)"},
                             {"eagle", "(stub names: 2 of 2 are numeric)"}},
                            {},
                            3};
    const auto hints = hints_for(names, {three, two});
    ASSERT_EQ(hints.size(), 1u);
    EXPECT_EQ(std::get<UlSymbolHasStubNames>(hints[0]).source, "kicad");
    EXPECT_EQ(std::get<UlSymbolHasStubNames>(hints[0]).pin_count, 3u);
  }
}

TEST(Hints, AxesThatAgreeOrHaveNoConflictsGiveNoHint) {
  EXPECT_TRUE(hints_for(AxisOutcome{"pad_count", Verdict::Agree, {}, {"x"}, 3}).empty());
  EXPECT_TRUE(hints_for(disagreeing("pad_count", {}, {})).empty());
}

TEST(AltiumSlot, ConsensusPadCountIsTheUpperMedianOfNonZeroCounts) {
  const auto with_pads = [](std::size_t n) {
    SourceData s;
    s.pads.assign(n, "1");
    return s;
  };
  EXPECT_EQ(consensus_pad_count({with_pads(8), with_pads(9), with_pads(0)}), 9u);
  EXPECT_EQ(consensus_pad_count({with_pads(8), with_pads(10), with_pads(9)}), 9u);
  EXPECT_EQ(consensus_pad_count({with_pads(0)}), std::nullopt);
  EXPECT_EQ(consensus_pad_count({}), std::nullopt);
}

TEST(SourceDiscovery, UnsafeMpns) {
  for (const char* mpn : {".", "..", "a/b", "../x", "/"}) EXPECT_TRUE(is_unsafe_mpn(mpn)) << mpn;
  EXPECT_TRUE(is_unsafe_mpn(std::string("a\0b", 3)));
  for (const char* mpn : {"", "LM358", "...", "a.b", "-x"}) EXPECT_FALSE(is_unsafe_mpn(mpn)) << mpn;
}

}  // namespace
}  // namespace tessan
