// The refetch hints `check` gives on the real library folders: they blame the library that
// stands alone, and never a kind of library that the folder does not hold.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "chip_copy.hpp"

namespace tessan::testing {
namespace {

// notes -> format of every refetch hint.
std::map<std::string, std::string> refetch_formats(const CheckOutcome& outcome) {
  std::map<std::string, std::string> formats;
  for (const Hint& hint : outcome.doc.hints) {
    if (const auto* refetch = std::get_if<RefetchLibrarySource>(&hint)) {
      formats[refetch->notes] = refetch->format;
    }
  }
  return formats;
}

TEST(CorpusHints, TheChargerBlamesItsAltiumSymbolAndItsEagleExposedPad) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const TempDir out;
  const auto formats = refetch_formats(run_check_on(corpus / "TP4056", out.path()));
  // KiCad's ~{STDBY} and ~{CHRG} are EAGLE's !STDBY and !CHRG: no hint for them. The folder
  // holds no KiCad footprint, so no hint names one.
  EXPECT_EQ(formats,
            (std::map<std::string, std::string>{
                {"Pad counts differ across sources: [9, 8]", "unknown"},
                {"eagle has pads 9 that altium is missing", "unknown"},
                {"Pin counts differ across sources: [8, 9, 8]", "eagle"},
                {"pin 9 present in eagle (EP) but missing in kicad", "eagle"},
                {"pin 7: kicad=~{CHRG} but altium=~{CHAR}", "altium"},
                {"pin 8: kicad=CE but altium=OE", "altium"},
                {"Package families disagree across sources: eagle=SOIC, altium=UNKNOWN", "unknown"},
            }));
}

TEST(CorpusHints, NoHintNamesAKiCadFileTheFolderDoesNotHold) {
  TESSAN_REQUIRE_CORPUS(corpus);
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    const std::string mpn = entry.path().filename().string();
    if (!entry.is_directory() || mpn.starts_with('_')) continue;
    const TempDir out;
    for (const auto& [notes, format] : refetch_formats(run_check_on(entry.path(), out.path()))) {
      if (format != "kicad_sym" && format != "kicad_mod") continue;
      EXPECT_TRUE(std::filesystem::exists(entry.path() / (mpn + "." + format)))
          << mpn << ": " << notes;
    }
  }
}

}  // namespace
}  // namespace tessan::testing
