// Pad roles, measures and alignment of footprints built in code.
#include <gtest/gtest.h>

#include <cmath>

#include "compare/geometry/geometry_analysis.hpp"
#include "footprints.hpp"

namespace tessan::testing {
namespace {

GeometryAnalysis analyse(const std::vector<Footprint>& footprints) {
  static std::vector<SourceData> sources;
  sources.clear();
  const char* names[] = {"kicad", "eagle", "altium"};
  for (std::size_t i = 0; i < footprints.size(); ++i) {
    SourceData source;
    source.name = names[i];
    sources.push_back(with_footprint(source, footprints[i]));
  }
  SourceRefs refs;
  for (const SourceData& s : sources) refs.push_back(&s);
  return analyse_geometry(refs);
}

PadGeometry paste(double x, double y) {
  PadGeometry pad = smd(x, y, 1, 1);
  pad.has_copper = false;
  return pad;
}

TEST(PadRoles, ExposedPadViasPasteHolesMountPadsAndBottomCopies) {
  PadGeometry npth = hole(-2, 3.5, 1, 1);
  npth.kind = PadKind::NonPlatedHole;
  npth.has_copper = false;
  PadGeometry bottom_ep = smd(0, 0, 3.1, 3.1);
  bottom_ep.side = PadSide::Bottom;
  const Footprint f = with(qfn(8), {{"33", bottom_ep},
                                    {"34", hole(1, 1, 0.6, 0.3)},
                                    {"", paste(-1, -1)},
                                    {"", npth},
                                    {"", smd(2.45, 2.45, 0.4, 0.4)},
                                    {"35", hole(2.45, -2.45, 0.3, 1.0)}});
  const GeometryAnalysis g = analyse({f});
  const std::vector<PadRole>& roles = g.footprints.at(0).roles;
  EXPECT_EQ(roles.at(0), PadRole::Ring);
  EXPECT_EQ(roles.at(32), PadRole::Ep);
  const std::vector<PadRole> tail(roles.begin() + 33, roles.end());
  EXPECT_EQ(tail, (std::vector<PadRole>{PadRole::Ep, PadRole::Via, PadRole::Paste, PadRole::Hole,
                                        PadRole::Mount, PadRole::Mount}));
  EXPECT_TRUE(g.footprints.at(0).usable);
}

TEST(PadRoles, InteriorBallsOfAnArrayAreRingPads) {
  const GeometryAnalysis g = analyse({bga(16, 16, 0.8)});
  const FootprintGeometry& f = g.footprints.at(0);
  EXPECT_TRUE(
      std::all_of(f.roles.begin(), f.roles.end(), [](PadRole r) { return r == PadRole::Ring; }));
  EXPECT_DOUBLE_EQ(f.pitch, 0.8);
}

struct Measured {
  std::string name;
  Footprint footprint;
  double pitch, span_x, span_y;
  Mounting mounting;
};

TEST(Measures, PitchSpansAndMounting) {
  const std::vector<Measured> table = {
      {"SOIC-8", soic(8), 1.27, 5.4, 3.81, Mounting::Smd},
      {"DIP-8", dip(8), 2.54, 7.62, 7.62, Mounting::ThroughHole},
      {"TQFP-32", tqfp(8), 0.8, 8.4, 8.4, Mounting::Smd},
      {"QFN-33", qfn(8), 0.5, 4.9, 4.9, Mounting::Smd},
      {"BGA-64", bga(8, 8, 1.0), 1.0, 7.0, 7.0, Mounting::Smd},
  };
  for (const Measured& m : table) {
    const GeometryAnalysis g = analyse({m.footprint});
    const FootprintGeometry& f = g.footprints.at(0);
    EXPECT_TRUE(f.usable) << m.name;
    EXPECT_NEAR(f.pitch, m.pitch, 1e-9) << m.name;
    EXPECT_NEAR(f.span_x, m.span_x, 1e-9) << m.name;
    EXPECT_NEAR(f.span_y, m.span_y, 1e-9) << m.name;
    EXPECT_EQ(f.mounting, m.mounting) << m.name;
  }
}

TEST(Usable, NeedsTwoRowsSizesAndPadsThatDoNotOverlap) {
  Footprint unsized = soic(8);
  unsized.at(3).pad.w = 0;
  Footprint overlapping = soic(8);
  for (LabelledPad& p : overlapping) p.pad.h = 3;
  const Footprint one_row = {{"1", smd(0, 0, 1, 1)}, {"2", smd(2, 0, 1, 1)}};
  for (const Footprint& f : {unsized, overlapping, one_row}) {
    EXPECT_FALSE(analyse({f}).footprints.at(0).usable);
  }
}

TEST(Usable, NonsenseGeometryIsLeftOutWithoutHarm) {
  Footprint not_a_number = soic(8);
  not_a_number.at(1).pad.x = std::nan("");
  Footprint far_away = soic(8);
  far_away.at(1).pad.y = 1e300;
  Footprint many_large = bga(20, 20, 1.0);
  for (std::size_t i = 0; i < many_large.size(); i += 2) many_large[i].pad.w = 5;
  Footprint too_many;
  for (int i = 0; i < 20'001; ++i)
    too_many.push_back({std::to_string(i), smd(i % 150, i / 150, 0.5, 0.5)});
  for (const Footprint& f : {not_a_number, far_away, many_large, too_many}) {
    const GeometryAnalysis g = analyse({f, soic(8)});
    EXPECT_FALSE(g.footprints.at(0).usable);
    EXPECT_TRUE(g.pairs.empty());
  }
}

struct Moved {
  std::string name;
  Footprint second;
  int quarter_turns;
};

TEST(Alignment, FindsTheTurnAndShiftOfARedrawnFootprint) {
  const Footprint qfp = with(qfn(8), {{"33", smd(0.2, 0, 2, 3)}});
  const std::vector<Moved> table = {
      {"same", qfp, 0},
      {"shifted", shifted(qfp, 3.1, -7.25), 0},
      {"turned 90", turned(qfp, 1), 3},
      {"turned 180 and shifted", shifted(turned(qfp, 2), 0.0254, 1), 2},
      {"turned 270", turned(qfp, 3), 1},
  };
  for (const Moved& m : table) {
    const GeometryAnalysis g = analyse({qfp, m.second});
    ASSERT_EQ(g.pairs.size(), 1u) << m.name;
    const PairAlignment& pair = g.pairs.front();
    EXPECT_EQ(pair.quarter_turns, m.quarter_turns) << m.name;
    EXPECT_EQ(pair.matched.size(), 32u) << m.name;
    EXPECT_EQ(pair.equal_labels, 32u) << m.name;
    EXPECT_LT(pair.largest_error, 1e-6) << m.name;
    const PadGeometry& ep = g.footprints.at(1).aligned.back();
    EXPECT_NEAR(ep.x, g.footprints.at(0).aligned.back().x, 1e-6) << m.name;
    EXPECT_NEAR(ep.w, 2, 1e-9) << m.name;
  }
}

TEST(Alignment, NeverMirrors) {
  const GeometryAnalysis g = analyse({soic(8), mirrored(soic(8))});
  EXPECT_EQ(g.pairs.front().matched.size(), 8u);
  EXPECT_EQ(g.pairs.front().equal_labels, 0u);
}

}  // namespace
}  // namespace tessan::testing
