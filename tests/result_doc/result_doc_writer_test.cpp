#include <gtest/gtest.h>

#include "result_doc_json.hpp"
#include "sample_docs.hpp"

namespace tessan {
namespace {

constexpr std::string_view kFullDocumentText = R"({
  "schema_version": "1",
  "status": "divergent",
  "exit_code": 2,
  "mpn": "ADS1115IDGSR",
  "summary": "ADS1115IDGSR — DIVERGENT. Sources: [quarn,kicad]",
  "sources_compared": [
    "quarn",
    "kicad"
  ],
  "sources_missing": [
    "eagle",
    "altium"
  ],
  "axes": [
    {
      "axis": "pad_count",
      "verdict": "agree",
      "values": {
        "kicad": "10",
        "quarn": "10"
      },
      "conflicts": [],
      "severity": 3
    },
    {
      "axis": "package_family",
      "verdict": "disagree",
      "values": {
        "kicad": "SOIC-10 → family=SOIC",
        "quarn": "VSSOP-10 → family=VSSOP"
      },
      "conflicts": [
        "Package families disagree across sources: quarn=VSSOP, kicad=SOIC"
      ],
      "severity": 3
    },
    {
      "axis": "body_dims",
      "verdict": "source_missing",
      "values": {},
      "conflicts": [],
      "severity": 1
    }
  ],
  "variants": [
    {
      "kind": "exposed_pad_variant",
      "sources_with_ep": [
        "kicad"
      ],
      "sources_without_ep": [
        "quarn"
      ]
    },
    {
      "kind": "module_extra_pads",
      "sources_with_extras": [
        "kicad"
      ],
      "sources_without_extras": [
        "quarn"
      ],
      "extra_count": 4
    },
    {
      "kind": "label_only_mismatch",
      "notes": "kicad: SOIC-8 | quarn: VSSOP-10"
    },
    {
      "kind": "stub_symbol_pin_names",
      "stub_sources": [
        "kicad"
      ],
      "canonical_sources": [
        "quarn"
      ]
    },
    {
      "kind": "body_dim_measurement_artifact",
      "notes": "kicad: 3.00×3.00 mm"
    },
    {
      "kind": "naming_convention_mismatch",
      "examples": [
        "pin 1: quarn=OUT1 ↔ kicad=1OUT"
      ]
    },
    {
      "kind": "kelvin_sense_representation",
      "sources_with_kelvin": [
        "kicad"
      ],
      "sources_without_kelvin": [],
      "kelvin_pin_names": [
        "I+",
        "I-",
        "V+",
        "V-"
      ]
    }
  ],
  "hints": [
    {
      "action": "refetch_library_source",
      "format": "kicad_mod",
      "suspect": "package_family",
      "notes": "tab\there",
      "suggested_sources": [
        "a",
        "b"
      ],
      "expected_resolution": "re-run"
    },
    {
      "action": "ul_symbol_has_stub_names",
      "source": "kicad",
      "pin_count": 10,
      "suggestion": "use quarn",
      "harvo_action": "mark quarn-preferred"
    },
    {
      "action": "rerun_quarn_with_stronger_model",
      "reason": "lone \"quarn\"",
      "suspect_field": "pad_count",
      "suggested_model": "claude-opus-4-7"
    },
    {
      "action": "accept_with_caveats",
      "caveats": []
    },
    {
      "action": "human_review",
      "reason": "why",
      "notes": "notes"
    },
    {
      "action": "source_parse_failed",
      "format": "eagle",
      "path": "/chips/X/X.lbr",
      "error": "reading /chips/X/X.lbr"
    }
  ],
  "extractor_version": "0.8.0"
}
)";

constexpr std::string_view kUnrecoverableText = R"({
  "schema_version": "1",
  "status": "unrecoverable",
  "exit_code": 3,
  "mpn": "X",
  "summary": "X — only 1 source(s) parseable; cross-source comparison needs ≥2",
  "sources_compared": [
    "kicad"
  ],
  "sources_missing": [
    "quarn",
    "eagle",
    "altium"
  ],
  "axes": [],
  "variants": [],
  "hints": [],
  "extractor_version": "0.8.0"
}
)";

TEST(ResultDocWriter, WritesEveryRecordKindInItsExactLayout) {
  const auto text = serialize_result_doc(testing::full_document());
  ASSERT_TRUE(text) << text.error().message();
  EXPECT_EQ(*text, kFullDocumentText);
}

TEST(ResultDocWriter, UnrecoverableDocumentKeepsAllElevenKeysWithEmptyLists) {
  const auto text = serialize_result_doc(testing::unrecoverable_document());
  ASSERT_TRUE(text) << text.error().message();
  EXPECT_EQ(*text, kUnrecoverableText);
}

TEST(ResultDocWriter, EscapesOnlyWhatJsonRequires) {
  ResultDoc doc = testing::unrecoverable_document();
  doc.mpn = "a\"b\\c\x01\n\u00b5\U0001F600";
  const auto text = serialize_result_doc(doc);
  ASSERT_TRUE(text);
  EXPECT_NE(text->find(R"("mpn": "a\"b\\c\u0001\nµ😀",)"), std::string::npos) << *text;
}

TEST(ResultDocWriter, TextThatIsNotUtf8FailsWithTheLibraryMessage) {
  ResultDoc doc = testing::unrecoverable_document();
  doc.hints = {SourceParseFailed{"kicad", "/tmp/bad\xff.kicad_sym", "reading"}};
  const auto text = serialize_result_doc(doc);
  ASSERT_FALSE(text);
  EXPECT_NE(text.error().message().find("invalid UTF-8 byte"), std::string::npos)
      << text.error().message();
}

TEST(ResultDocWriter, CompactHintHasActionFirstAndNoSpaces) {
  struct Row {
    Hint hint;
    std::string_view text;
  };
  const Row rows[] = {
      {UlSymbolHasStubNames{"kicad", 8, "s", "h"},
       R"({"action":"ul_symbol_has_stub_names","source":"kicad","pin_count":8,"suggestion":"s","harvo_action":"h"})"},
      {AcceptWithCaveats{{"a b", "c"}},
       R"({"action":"accept_with_caveats","caveats":["a b","c"]})"},
      {SourceParseFailed{"eagle", "x.lbr", "é"},
       R"({"action":"source_parse_failed","format":"eagle","path":"x.lbr","error":"é"})"},
  };
  for (const auto& row : rows) {
    const auto text = serialize_hint_compact(row.hint);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, row.text);
  }
}

TEST(ResultDocWriter, CompactHintWithBadPathFails) {
  EXPECT_FALSE(serialize_hint_compact(SourceParseFailed{"eagle", "\xc3", "e"}));
}

}  // namespace
}  // namespace tessan
