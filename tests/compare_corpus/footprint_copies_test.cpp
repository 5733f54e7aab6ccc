// Copies of real footprints redrawn in one precise way while every label still agrees:
// mirrored, renumbered, another pitch, rows or package must be divergent; turned, moved,
// split or relabelled exposed pads and longer pads keep the folder's verdict.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "altium_footprint_edit.hpp"
#include "chip_copy.hpp"
#include "footprint_edits.hpp"
#include "library_edits.hpp"

namespace tessan::testing {
namespace {

using Texts = std::vector<std::string>;
using Edit = std::function<void(const ChipCopy&)>;

struct Redrawn {
  std::string name;
  std::string mpn;
  Edit edit;
  std::string status;
  Texts variants_or_uncovered;  // variant kinds when golden, axes left uncovered when divergent
};

void PrintTo(const Redrawn& r, std::ostream* os) {
  *os << r.name;
}

class RedrawnFootprints : public ::testing::TestWithParam<Redrawn> {};

TEST_P(RedrawnFootprints, GetTheirVerdict) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const Redrawn& r = GetParam();
  const ChipCopy copy(corpus, r.mpn);
  r.edit(copy);
  const CheckOutcome outcome = copy.check();
  ASSERT_EQ(outcome.status(), r.status) << ::testing::PrintToString(outcome.variant_kinds())
                                        << ::testing::PrintToString(outcome.uncovered_axes());
  if (r.status == "divergent") {
    const Texts uncovered = outcome.uncovered_axes();
    for (const std::string& axis : r.variants_or_uncovered) {
      EXPECT_NE(std::find(uncovered.begin(), uncovered.end(), axis), uncovered.end())
          << axis << " is covered; uncovered: " << ::testing::PrintToString(uncovered);
    }
  } else {
    EXPECT_EQ(outcome.variant_kinds(), r.variants_or_uncovered);
  }
}

const std::string kAtmegaPackage = "QFP80P900X900X120-32N";

Edit kicad_pads(PadEdit edit) {
  return [edit](const ChipCopy& c) {
    c.edit(".kicad_mod", [&](std::string& t) { edit_kicad_pads(t, edit); });
  };
}
Edit eagle_smds(std::string package, PadEdit edit) {
  return [package, edit](const ChipCopy& c) {
    c.edit(".lbr", [&](std::string& t) { edit_eagle_smds(t, package, edit); });
  };
}
Edit eagle_text(std::function<void(std::string&)> change) {
  return [change](const ChipCopy& c) { c.edit(".lbr", change); };
}
Edit kicad_text(std::function<void(std::string&)> change) {
  return [change](const ChipCopy& c) { c.edit(".kicad_mod", change); };
}

Edit altium_pads(std::function<void(std::vector<PadPlace>&)> edit) {
  return [edit](const ChipCopy& c) { redraw_altium_footprint(c.file(".PcbLib"), edit); };
}

// STM32F103C8T6's LQFP-48 at 0.4 mm instead of 0.5 mm: every row drawn closer along itself.
void pitch_04(std::vector<PadPlace>& pads) {
  for (PadPlace& p : pads) (std::fabs(p.x) > std::fabs(p.y) ? p.y : p.x) *= 0.8;
}

// Turned by 270 degrees with the origin moved onto pin 1.
void turned_270_around_pin_1(std::vector<PadPlace>& pads) {
  for (PadPlace& p : pads) p = {p.label, p.y, -p.x, p.dy, p.dx};
  const auto pin1 =
      std::find_if(pads.begin(), pads.end(), [](const PadPlace& p) { return p.label == "1"; });
  const double x = pin1->x, y = pin1->y;
  for (PadPlace& p : pads) {
    p.x -= x;
    p.y -= y;
  }
}

// CH340G's EAGLE SOIC-16: rows along x at y = ±2.695, pin 1 bottom left.
std::string dip16() {
  std::string pads;
  for (int k = 1; k <= 16; ++k) {
    const double x = k <= 8 ? -8.89 + (k - 1) * 2.54 : 8.89 - (k - 9) * 2.54;
    const double y = k <= 8 ? -3.81 : 3.81;
    pads += "<pad name=\"" + std::to_string(k) + "\" x=\"" + std::to_string(x) + "\" y=\"" +
            std::to_string(y) + "\" drill=\"0.8\" diameter=\"1.6\"/>\n";
  }
  return pads;
}

// A 5 x 5 mm QFN-32 numbered as ATMEGA328P-AU's EAGLE TQFP: pin 1 at the top of the left side.
std::string qfn32() {
  std::string pads;
  for (int i = 0; i < 32; ++i) {
    const int side = i / 8;
    const double along = -1.75 + (i % 8) * 0.5;
    const std::string name = std::to_string(i + 1);
    if (side == 0) pads += eagle_smd(name, -2.45, -along, 0.8, 0.25);
    if (side == 1) pads += eagle_smd(name, along, -2.45, 0.25, 0.8);
    if (side == 2) pads += eagle_smd(name, 2.45, along, 0.8, 0.25);
    if (side == 3) pads += eagle_smd(name, -along, 2.45, 0.25, 0.8);
  }
  return pads;
}

const Texts kNumbers = {"pad_numbers"};
const Texts kFamily = {"package_family"};

INSTANTIATE_TEST_SUITE_P(
    Broken, RedrawnFootprints,
    ::testing::Values(
        Redrawn{"AtmegaKicadMirrored", "ATMEGA328P-AU", kicad_pads([](PadPlace& p) { p.x = -p.x; }),
                "divergent", kNumbers},
        Redrawn{"Stm32KicadClockwise", "STM32F103C8T6",
                kicad_pads([](PadPlace& p) { p.label = clockwise_label(p.label, 48); }),
                "divergent", kNumbers},
        Redrawn{"Rp2040KicadClockwise", "RP2040",
                kicad_pads([](PadPlace& p) { p.label = clockwise_label(p.label, 56); }),
                "divergent", kNumbers},
        Redrawn{"AtmegaEagleNumberingShiftedByOnePad", "ATMEGA328P-AU",
                eagle_smds(kAtmegaPackage,
                           [](PadPlace& p) { p.label = moved_on_label(p.label, 32, 1); }),
                "divergent", kNumbers},
        Redrawn{"EspC3MiniKicadPinOneMovedOneRowOn", "ESP32-C3-MINI-1",
                kicad_pads([](PadPlace& p) { p.label = moved_on_label(p.label, 48, 11); }),
                "divergent", kNumbers},
        Redrawn{"Ch340gEaglePitch065", "CH340G",
                eagle_smds("SOIC16",
                           [](PadPlace& p) {
                             p.x *= 0.65 / 1.27;
                             p.dx = 0.35;
                           }),
                "divergent", kFamily},
        Redrawn{"Ch340gEagleRows300Mil", "CH340G",
                eagle_smds("SOIC16", [](PadPlace& p) { p.y *= 2; }), "divergent", kFamily},
        Redrawn{"Ch340gEagleThroughHoleDip16", "CH340G",
                eagle_text([](std::string& t) { replace_eagle_pads(t, "SOIC16", dip16()); }),
                "divergent", kFamily},
        Redrawn{"Ch340gEagleMirrored", "CH340G",
                eagle_smds("SOIC16", [](PadPlace& p) { p.x = -p.x; }), "divergent", kNumbers},
        Redrawn{"Ch340gEagleSignalSizedSeventeenthPad",
                "CH340G",
                eagle_text([](std::string& t) {
                  add_to_eagle_package(t, "SOIC16", eagle_smd("17", -5.715, -2.695, 0.635, 1.524));
                }),
                "divergent",
                {"pad_count", "pad_numbers"}},
        Redrawn{"Stm32AltiumPitch04", "STM32F103C8T6", altium_pads(pitch_04), "divergent", kFamily},
        Redrawn{"AtmegaEagleQfn32UnderTheSameName", "ATMEGA328P-AU",
                eagle_text([](std::string& t) { replace_eagle_pads(t, kAtmegaPackage, qfn32()); }),
                "divergent", kFamily}),
    [](const auto& info) { return info.param.name; });

const std::string kGwv = "golden_with_variants";
const std::string kEp = "exposed_pad_variant";
const std::string kLabel = "label_only_mismatch";
const std::string kNaming = "naming_convention_mismatch";

Edit rp2040_vias_numbered() {
  return kicad_text([](std::string& t) {
    for (int n = 58; n <= 66; ++n) {
      replace_first(t, "(pad 57 thru_hole", "(pad " + std::to_string(n) + " thru_hole");
    }
  });
}

Edit wrover_segments_merged() {
  return kicad_text([](std::string& t) {
    for (int k = 0; k < 8; ++k) remove_sexpr(t, "(pad \"39\" ");
    replace_first(t, "(pad \"39\" smd rect (at -0.1 0.94) (size 0.9 0.9)",
                  "(pad \"39\" smd rect (at -1.5 0.46) (size 3.7 3.7)");
  });
}

INSTANTIATE_TEST_SUITE_P(
    Benign, RedrawnFootprints,
    ::testing::Values(
        Redrawn{"AtmegaEagleTurned90",
                "ATMEGA328P-AU",
                eagle_smds(kAtmegaPackage,
                           [](PadPlace& p) {
                             p = {p.label, -p.y, p.x, p.dy, p.dx};
                           }),
                kGwv,
                {kNaming}},
        Redrawn{"AtmegaEagleTurned180",
                "ATMEGA328P-AU",
                eagle_smds(kAtmegaPackage,
                           [](PadPlace& p) {
                             p.x = -p.x;
                             p.y = -p.y;
                           }),
                kGwv,
                {kNaming}},
        Redrawn{"Stm32AltiumTurned270AroundPin1",
                "STM32F103C8T6",
                altium_pads(turned_270_around_pin_1),
                kGwv,
                {kLabel, kNaming}},
        Redrawn{"Stm32KicadOriginOnAMilGrid",
                "STM32F103C8T6",
                kicad_pads([](PadPlace& p) {
                  p.x += 3 * 0.0254;
                  p.y -= 7 * 0.0254;
                }),
                kGwv,
                {kLabel, kNaming}},
        Redrawn{"Stm32KicadLabelsTurnedByOneSide",
                "STM32F103C8T6",
                kicad_pads([](PadPlace& p) { p.label = moved_on_label(p.label, 48, 12); }),
                kGwv,
                {kLabel, kNaming}},
        Redrawn{"Rp2040KicadExposedPadInFourSegments",
                "RP2040",
                kicad_text([](std::string& t) {
                  replace_first(t, "(pad 57 smd roundrect (at 0 0) (size 3.2 3.2)",
                                "(pad PAD_1 smd rect (at -0.8 -0.8) (size 1.5 1.5) (layers F.Cu)) "
                                "(pad PAD_2 smd rect (at 0.8 -0.8) (size 1.5 1.5) (layers F.Cu)) "
                                "(pad PAD_3 smd rect (at -0.8 0.8) (size 1.5 1.5) (layers F.Cu)) "
                                "(pad PAD_4 smd roundrect (at 0.8 0.8) (size 1.5 1.5)");
                }),
                kGwv,
                {kEp}},
        Redrawn{"Rp2040EagleExposedPadAsFourPads57",
                "RP2040",
                eagle_text([](std::string& t) {
                  replace_first(t, "<smd name=\"PAD\" x=\"0\" y=\"0\" dx=\"3.2\" dy=\"3.2\"",
                                eagle_smd("57", -0.8, -0.8, 1.5, 1.5) +
                                    eagle_smd("57", 0.8, -0.8, 1.5, 1.5) +
                                    eagle_smd("57", -0.8, 0.8, 1.5, 1.5) +
                                    "<smd name=\"57\" x=\"0.8\" y=\"0.8\" dx=\"1.5\" dy=\"1.5\"");
                }),
                kGwv,
                {kEp}},
        Redrawn{"WroverKicadNineSegmentsMerged",
                "ESP32-WROVER-E",
                wrover_segments_merged(),
                kGwv,
                {kEp}},
        Redrawn{"Ch340gEaglePadsLongerRowsFurtherOut",
                "CH340G",
                eagle_smds("SOIC16",
                           [](PadPlace& p) {
                             p.y *= 1.15;
                             p.dy *= 1.3;
                           }),
                kGwv,
                {kLabel, kNaming}},
        Redrawn{
            "Rp2040KicadThermalViasNumbered58To66", "RP2040", rp2040_vias_numbered(), kGwv, {kEp}},
        Redrawn{"Ch340gEagleExposedPad17BetweenTheRows",
                "CH340G",
                eagle_text([](std::string& t) {
                  add_to_eagle_package(t, "SOIC16", eagle_smd("17", 0, 0, 4, 2.4));
                }),
                kGwv,
                {kEp, kLabel, kNaming}},
        Redrawn{"AtmegaKicadNamedQfnWithItsLandPattern",
                "ATMEGA328P-AU",
                kicad_text([](std::string& t) {
                  replace_first(t, "(footprint QFP80P900X900X120-32N", "(footprint \"QFN-32\"");
                }),
                kGwv,
                {kLabel, kNaming}},
        Redrawn{"Stm32KicadNamedQfnWithAnUnusedCentralPad",
                "STM32F103C8T6",
                kicad_text([](std::string& t) {
                  replace_first(t, "(footprint QFP50P900X900X160-48N", "(footprint \"QFN-48\"");
                  replace_first(t, "  (pad 48 ",
                                "  (pad 49 smd rect (at 0 0) (size 5.6 5.6) (layers F.Cu F.Mask "
                                "F.Paste))\n  (pad 48 ");
                }),
                kGwv,
                {kEp, kLabel, kNaming}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tessan::testing
