// Every reader given a path that is not a regular file: a FIFO with no writer, a link to an
// endless device, a directory. Each must refuse it at once with its own error, never block on
// it or read it until memory runs out.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "hostile/bounded_run.hpp"
#include "hostile/hostile_inputs.hpp"
#include "hostile/reader_outcome.hpp"
#include "parsers/altium/altium_reader.hpp"
#include "parsers/eagle_reader.hpp"
#include "parsers/kicad/kicad_reader.hpp"
#include "parsers/quarn_reader.hpp"
#include "result_doc_json.hpp"
#include "support/altium_builders.hpp"
#include "support/test_support.hpp"

namespace tessan::hostile {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

struct SpecialFile {
  const char* label;
  std::function<fs::path(const TempDir&)> make;
};

std::vector<SpecialFile> special_files() {
  return {
      {"FIFO without a writer",
       [](const TempDir& dir) {
         const fs::path path = dir.path() / "fifo";
         if (mkfifo(path.c_str(), 0600) != 0) ADD_FAILURE() << "mkfifo failed";
         return path;
       }},
      {"link to /dev/zero",
       [](const TempDir& dir) {
         const fs::path path = dir.path() / "zero";
         fs::create_symlink("/dev/zero", path);
         return path;
       }},
      {"directory",
       [](const TempDir& dir) {
         const fs::path path = dir.path() / "directory";
         fs::create_directory(path);
         return path;
       }},
  };
}

struct Reader {
  const char* label;
  std::function<std::string(const fs::path& special, const fs::path& good)> read;
  std::function<std::string(const fs::path& special)> expected;
};

std::string reading(const fs::path& path) {
  return "error: reading " + path.string();
}

std::vector<Reader> readers() {
  return {
      {"quarn symbol",
       [](const fs::path& p, const fs::path&) { return describe(read_quarn(p, std::nullopt)); },
       reading},
      {"quarn footprint",
       [](const fs::path& p, const fs::path& good) { return describe(read_quarn(good, p)); },
       reading},
      {"KiCad symbol",
       [](const fs::path& p, const fs::path&) { return describe(read_kicad(p, std::nullopt)); },
       reading},
      {"KiCad footprint",
       [](const fs::path& p, const fs::path&) { return describe(read_kicad(std::nullopt, p)); },
       reading},
      {"EAGLE library", [](const fs::path& p, const fs::path&) { return describe(read_eagle(p)); },
       reading},
      {"Altium footprint library",
       [](const fs::path& p, const fs::path&) {
         return describe(read_altium(p, std::nullopt, std::nullopt));
       },
       [](const fs::path& p) { return "error: altium-pcblib parsing " + p.string(); }},
      {"result document",
       [](const fs::path& p, const fs::path&) {
         const auto doc = read_result_doc(p);
         return doc ? std::string("read") : "error: " + doc.error().message();
       },
       reading},
  };
}

TEST(SpecialFiles, EveryReaderRefusesThemWithoutBlocking) {
  for (const auto& special : special_files()) {
    const TempDir dir;
    const fs::path good = dir.write("good.json", "{}");
    const fs::path path = special.make(dir);
    for (const auto& reader : readers()) {
      const auto run =
          run_bounded([&] { return reader.read(path, good); }, std::chrono::seconds(20));
      ASSERT_TRUE(run.finished) << reader.label << " on a " << special.label << ": " << run.ending;
      EXPECT_EQ(run.report, reader.expected(path)) << reader.label << " on a " << special.label;
      EXPECT_LT(run.peak_rise_mib, 64) << reader.label << " on a " << special.label;
    }
  }
}

// A sparse file of 2^62 bytes, on the memory file system (the disk's refuses such sizes).
class SparseFile {
 public:
  SparseFile() : path_("/dev/shm/tessan-hostile-sparse-" + std::to_string(getpid())) {
    const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    made_ = fd >= 0 && ftruncate(fd, off_t{1} << 62) == 0;
    if (fd >= 0) ::close(fd);
  }
  ~SparseFile() { ::unlink(path_.c_str()); }
  SparseFile(const SparseFile&) = delete;
  SparseFile& operator=(const SparseFile&) = delete;

  bool made() const { return made_; }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
  bool made_ = false;
};

// Readers hold a file whole, so one over the size bound is refused by its size, before a buffer
// is sized or a byte read: a library file naming itself, a cached document as unreadable.
TEST(SpecialFiles, AFileOfTwoToThe62BytesIsRefusedBeforeItIsRead) {
  const SparseFile sparse;
  if (!sparse.made()) GTEST_SKIP() << "no file system for a sparse file of 2^62 bytes";
  const TempDir dir;
  const fs::path good = dir.write("good.json", "{}");
  const std::string too_large = "error: " + sparse.path().string() +
                                ": file too large (4611686018427387904 bytes; the limit is "
                                "268435456)";
  for (const auto& reader : readers()) {
    const auto run =
        run_bounded([&] { return reader.read(sparse.path(), good); }, std::chrono::seconds(20));
    ASSERT_TRUE(run.finished) << reader.label << ": " << run.ending;
    const bool cached = std::string_view(reader.label) == "result document";
    EXPECT_EQ(run.report, cached ? reading(sparse.path()) : too_large) << reader.label;
    EXPECT_LT(run.peak_rise_mib, 64) << reader.label;
  }
}

// The symbol library of the Altium source never fails it: the pins are simply missing.
TEST(SpecialFiles, AnAltiumSymbolLibraryThatIsNoFileLeavesNoPins) {
  testing::PcbPad pad;
  pad.designator = "1";
  const testing::Bytes library =
      testing::pcblib_file({{"SO8", testing::pcb_data_stream("SO8", {pad})}});
  for (const auto& special : special_files()) {
    const TempDir dir;
    const fs::path footprints = dir.write("a.PcbLib", std::string(library.begin(), library.end()));
    const fs::path path = special.make(dir);
    const auto run =
        run_bounded([&] { return describe(read_altium(footprints, std::nullopt, path)); },
                    std::chrono::seconds(20));
    ASSERT_TRUE(run.finished) << special.label << ": " << run.ending;
    EXPECT_EQ(run.report, "pins=0 pads=1 package=SO8") << special.label;
    EXPECT_LT(run.peak_rise_mib, 64) << special.label;
  }
}

}  // namespace
}  // namespace tessan::hostile
