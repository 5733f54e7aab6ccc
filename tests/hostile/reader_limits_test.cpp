// Sizes bounded where they enter: a library file over 256 MiB is refused unread, and a source
// past a million pins or pads fails the moment its count passes the bound.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "altium_pcblib/footprint_library.hpp"
#include "hostile/bounded_run.hpp"
#include "hostile/reader_outcome.hpp"
#include "parsers/altium/altium_reader.hpp"
#include "parsers/eagle_reader.hpp"
#include "parsers/kicad/kicad_reader.hpp"
#include "parsers/quarn_reader.hpp"
#include "reader_limits.hpp"
#include "support/altium_builders.hpp"
#include "support/test_support.hpp"

namespace tessan::hostile {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::TempDir;

// A file of `size` bytes that takes no room on disk.
fs::path sparse_file(const TempDir& dir, const std::string& name, std::uint64_t size) {
  const fs::path path = dir.write(name, "");
  const int fd = ::open(path.c_str(), O_WRONLY);
  EXPECT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0);
  ::close(fd);
  return path;
}

using Reader = std::function<Result<SourceData>(const fs::path&)>;

struct NamedReader {
  std::string extension;
  Reader read;
};

std::vector<NamedReader> every_reader() {
  return {
      {".kicad_sym", [](const fs::path& p) { return read_kicad(p, std::nullopt); }},
      {".kicad_mod", [](const fs::path& p) { return read_kicad(std::nullopt, p); }},
      {".json", [](const fs::path& p) { return read_quarn(p, std::nullopt); }},
      {".lbr", [](const fs::path& p) { return read_eagle(p); }},
      {".PcbLib", [](const fs::path& p) { return read_altium(p, std::nullopt, std::nullopt); }},
  };
}

TEST(ReaderLimits, FilesOverTheBoundAreRefusedUnread) {
  const TempDir dir;
  for (const std::uint64_t size : {kMaxLibraryFileBytes + 1, std::uint64_t{2} << 30}) {
    for (const auto& reader : every_reader()) {
      const fs::path path = sparse_file(dir, "big" + reader.extension, size);
      const auto run = run_bounded([&] { return describe(reader.read(path)); });
      ASSERT_TRUE(run.finished) << run.ending;
      EXPECT_EQ(run.report, "error: " + path.string() + ": file too large (" +
                                std::to_string(size) + " bytes; the limit is 268435456)");
      EXPECT_LT(run.peak_rise_mib, 64) << reader.extension;
    }
  }
}

// `unit` with "{n}" replaced by 1, 2, ... `count` times.
std::string numbered(std::string_view unit, std::size_t count) {
  std::string text;
  const std::size_t at = unit.find("{n}");
  for (std::size_t n = 1; n <= count; ++n) {
    text.append(unit.substr(0, at)).append(std::to_string(n)).append(unit.substr(at + 3));
  }
  return text;
}

struct CountCase {
  std::string label;
  std::string extension;
  std::function<std::string(std::size_t)> text;  // the file with that many pins or pads
  std::string too_many;
};

std::vector<CountCase> count_cases() {
  return {
      {"kicad pins", ".kicad_sym",
       [](std::size_t n) {
         return "(kicad_symbol_lib" + numbered("(pin(number \"{n}\"))", n) + ")";
       },
       "error: too many pins"},
      {"kicad pads", ".kicad_mod",
       [](std::size_t n) { return "(footprint \"F\"" + numbered("(pad {n})", n) + ")"; },
       "error: too many pads"},
      {"quarn pins", ".json",
       [](std::size_t n) {
         std::string pins = numbered("{n},", n);
         pins.pop_back();
         return R"({"pins":[)" + pins + "]}";
       },
       "error: too many pins"},
      {"quarn pads", ".json",
       [](std::size_t n) {
         std::string pads = numbered(R"("{n}":0,)", n);
         pads.pop_back();
         return R"({"padDescriptions":{)" + pads + "}}";
       },
       "error: too many pads"},
  };
}

TEST(ReaderLimits, AMillionPinsOrPadsReadAndOneMoreFails) {
  const TempDir dir;
  const auto readers = every_reader();
  for (const auto& c : count_cases()) {
    const Reader& read = c.extension == ".kicad_sym"   ? readers[0].read
                         : c.extension == ".kicad_mod" ? readers[1].read
                                                       : readers[2].read;
    const fs::path at_bound = dir.write("at" + c.extension, c.text(kMaxPinsOrPads));
    const fs::path past_bound = dir.write("past" + c.extension, c.text(kMaxPinsOrPads + 1));
    EXPECT_TRUE(read(at_bound).ok()) << c.label;
    EXPECT_EQ(describe(read(past_bound)), c.too_many) << c.label;
  }
}

// An integrated library whose embedded symbol library holds a component of a million and one
// identical pins, which zlib packs into a few hundred kilobytes.
TEST(ReaderLimits, AnIntegratedLibraryPastAMillionPinsFailsAsASource) {
  const Bytes pin = testing::sch_pin_record({"A", "1"});
  Bytes stream = testing::sch_data_stream({testing::sch_text_record("|RECORD=1")});
  for (std::size_t i = 0; i <= kMaxPinsOrPads; ++i)
    stream.insert(stream.end(), pin.begin(), pin.end());
  const Bytes symbols = testing::schlib_file({{"U1", stream}});
  const Bytes footprints =
      testing::pcblib_file({{"SO8", testing::pcb_data_stream("SO8", {testing::PcbPad{"1"}})}});
  const Bytes intlib =
      testing::intlib_file({testing::intlib_stream(footprints)}, {testing::intlib_stream(symbols)});
  const TempDir dir;
  const fs::path path = dir.write("a.IntLib", std::string(intlib.begin(), intlib.end()));
  EXPECT_EQ(describe(read_altium(path, std::nullopt, path)), "error: too many pins");
}

// Pads count over every footprint of every embedded library together.
TEST(ReaderLimits, PadsPastTheBoundAcrossEmbeddedLibrariesFail) {
  std::vector<testing::PcbPad> three;
  for (const char* number : {"1", "2", "3"}) three.push_back(testing::PcbPad{number});
  const Bytes library = testing::pcblib_file(
      {{"A", testing::pcb_data_stream("A", three)}, {"B", testing::pcb_data_stream("B", three)}});
  const Bytes intlib =
      testing::intlib_file({testing::intlib_stream(library), testing::intlib_stream(library)}, {});
  struct Row {
    std::size_t max_pads;
    std::string outcome;
  };
  const Row rows[] = {{12, "A:3 B:3 A:3 B:3"}, {11, "too many pads"}, {5, "too many pads"}};
  for (const auto& row : rows) {
    const auto entries = altium::parse_footprint_entries(intlib, row.max_pads);
    std::string outcome;
    if (!entries) outcome = entries.error().message();
    for (const auto& entry : entries ? *entries : altium::FootprintEntries{}) {
      outcome += (outcome.empty() ? "" : " ") + entry.module_name + ":" +
                 std::to_string(entry.pads.size());
    }
    EXPECT_EQ(outcome, row.outcome) << row.max_pads;
  }
}

}  // namespace
}  // namespace tessan::hostile
