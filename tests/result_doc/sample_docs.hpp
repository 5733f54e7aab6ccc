// Result documents used by the tests of this directory.
#pragma once

#include "result_doc.hpp"

namespace tessan::testing {

// A divergent document that uses every hint and every variant kind once.
inline ResultDoc full_document() {
  ResultDoc doc;
  doc.status = Status::Divergent;
  doc.exit_code = 2;
  doc.mpn = "ADS1115IDGSR";
  doc.summary = "ADS1115IDGSR \u2014 DIVERGENT. Sources: [quarn,kicad]";
  doc.sources_compared = {"quarn", "kicad"};
  doc.sources_missing = {"eagle", "altium"};
  doc.axes = {
      AxisOutcome{"pad_count", Verdict::Agree, {{"quarn", "10"}, {"kicad", "10"}}, {}, 3},
      AxisOutcome{
          "package_family",
          Verdict::Disagree,
          {{"quarn", "VSSOP-10 \u2192 family=VSSOP"}, {"kicad", "SOIC-10 \u2192 family=SOIC"}},
          {"Package families disagree across sources: quarn=VSSOP, kicad=SOIC"},
          3},
      AxisOutcome{"body_dims", Verdict::SourceMissing, {}, {}, 1},
  };
  doc.variants = {
      ExposedPadVariant{{"kicad"}, {"quarn"}},
      ModuleExtraPads{{"kicad"}, {"quarn"}, 4},
      LabelOnlyMismatch{"kicad: SOIC-8 | quarn: VSSOP-10"},
      StubSymbolPinNames{{"kicad"}, {"quarn"}},
      BodyDimMeasurementArtifact{"kicad: 3.00\u00d73.00 mm"},
      NamingConventionMismatch{{"pin 1: quarn=OUT1 \u2194 kicad=1OUT"}},
      KelvinSenseRepresentation{{"kicad"}, {}, {"I+", "I-", "V+", "V-"}},
  };
  doc.hints = {
      RefetchLibrarySource{"kicad_mod", "package_family", "tab\there", {"a", "b"}, "re-run"},
      UlSymbolHasStubNames{"kicad", 10, "use quarn", "mark quarn-preferred"},
      RerunQuarnWithStrongerModel{"lone \"quarn\"", "pad_count", "claude-opus-4-7"},
      AcceptWithCaveats{{}},
      HumanReview{"why", "notes"},
      SourceParseFailed{"eagle", "/chips/X/X.lbr", "reading /chips/X/X.lbr"},
  };
  return doc;
}

// The document of a run that read fewer than two sources.
inline ResultDoc unrecoverable_document() {
  ResultDoc doc;
  doc.mpn = "X";
  doc.summary = "X \u2014 only 1 source(s) parseable; cross-source comparison needs \u22652";
  doc.sources_compared = {"kicad"};
  doc.sources_missing = {"quarn", "eagle", "altium"};
  return doc;
}

}  // namespace tessan::testing
