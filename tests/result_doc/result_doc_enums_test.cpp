#include <gtest/gtest.h>

#include "result_doc.hpp"

namespace tessan {
namespace {

TEST(ResultDocEnums, StatusesMapToTheirTextsAndExitCodes) {
  struct Row {
    Status status;
    std::string_view text;
    std::string_view name;
    int exit_code;
  };
  const Row rows[] = {{Status::Golden, "golden", "Golden", 0},
                      {Status::GoldenWithVariants, "golden_with_variants", "GoldenWithVariants", 0},
                      {Status::Divergent, "divergent", "Divergent", 2},
                      {Status::Unrecoverable, "unrecoverable", "Unrecoverable", 3}};
  for (const auto& row : rows) {
    EXPECT_EQ(status_text(row.status), row.text);
    EXPECT_EQ(status_enum_name(row.status), row.name);
    EXPECT_EQ(status_exit_code(row.status), row.exit_code);
  }
}

TEST(ResultDocEnums, VariantKindsLabelsAndCoveredAxes) {
  EXPECT_EQ(variant_kind(Variant{ExposedPadVariant{}}), "exposed_pad_variant");
  EXPECT_EQ(variant_short_label(Variant{ModuleExtraPads{}}), "module_extras");
  EXPECT_EQ(variant_short_label(Variant{BodyDimMeasurementArtifact{}}), "body_dim_artifact");
  EXPECT_EQ(variant_covered_axes(Variant{LabelOnlyMismatch{}}),
            std::vector<std::string_view>{"package_family"});
  EXPECT_EQ(variant_covered_axes(Variant{KelvinSenseRepresentation{}}).size(), 6u);
  EXPECT_EQ(variant_covered_axes(Variant{NamingConventionMismatch{}}),
            (std::vector<std::string_view>{"pin_names", "pin_to_pad_map"}));
}

}  // namespace
}  // namespace tessan
