// `cmake --install` of the current build into a temporary prefix: every file in its place, and
// the tessan-altium package usable by another CMake project to read Altium libraries.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "shell_command.hpp"
#include "support/altium_builders.hpp"
#include "support/test_support.hpp"

namespace tessan::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = TESSAN_SOURCE_DIR;

// The build tree holding the tested binary (the binary sits at its root).
fs::path build_dir() {
  return tessan_binary().parent_path();
}

class Installed : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    prefix_ = std::make_unique<TempDir>();
    if (!have_program("cmake")) {
      skip_reason_ = "cmake is not installed";
    } else if (!fs::exists(build_dir() / "CMakeCache.txt")) {
      skip_reason_ = "the tested binary is not at the root of a CMake build tree";
    } else {
      install_run_ = run_shell("cmake --install " + shell_quote(build_dir().string()) +
                               " --prefix " + shell_quote(prefix().string()));
    }
  }
  static void TearDownTestSuite() { prefix_.reset(); }

  void SetUp() override {
    if (!skip_reason_.empty()) GTEST_SKIP() << skip_reason_;
    ASSERT_EQ(install_run_.exit_code, 0) << install_run_.out << install_run_.err;
  }

  static fs::path prefix() { return prefix_->path(); }

  // The path below the prefix of the installed file called `name`, or empty.
  static fs::path find_installed(const std::string& name) {
    for (const auto& entry : fs::recursive_directory_iterator(prefix())) {
      if (entry.path().filename() == name) return fs::relative(entry.path(), prefix());
    }
    return {};
  }

 private:
  static inline std::unique_ptr<TempDir> prefix_;
  static inline std::string skip_reason_;
  static inline ProcessResult install_run_;
};

TEST_F(Installed, ProgramDocumentationAndCompletionAreInTheirPlaces) {
  const struct {
    const char* installed;
    const char* repository;
  } copies[] = {
      {"share/man/man1/tessan.1", "doc/tessan.1"},
      {"share/bash-completion/completions/tessan", "completions/tessan"},
      {"share/tessan/result.schema.json", "schema/result.schema.json"},
      {"share/doc/tessan/SKILL.md", "SKILL.md"},
  };
  for (const auto& copy : copies) {
    ASSERT_TRUE(fs::is_regular_file(prefix() / copy.installed)) << copy.installed;
    EXPECT_EQ(read_file(prefix() / copy.installed), read_file(kSource / copy.repository))
        << copy.installed;
  }
  const auto health = run_shell(shell_quote((prefix() / "bin/tessan").string()) + " health");
  EXPECT_EQ(health.exit_code, 0);
  EXPECT_EQ(health.out, "OK: tessan 0.8.0 ready (parsers: quarn, kicad, eagle, altium)\n");
}

TEST_F(Installed, AltiumLibrariesHeadersAndPackageAreInTheirPlaces) {
  for (const char* header :
       {"tessan/tessan_error.hpp", "altium_container/container.hpp", "altium_container/records.hpp",
        "altium_pcblib/pcblib.hpp", "altium_pcblib/footprint_json.hpp", "altium_schlib/schlib.hpp",
        "altium_schlib/component_json.hpp"}) {
    EXPECT_TRUE(fs::is_regular_file(prefix() / "include" / header)) << header;
  }
  for (const char* library :
       {"libaltium_container.a", "libaltium_pcblib.a", "libaltium_schlib.a"}) {
    const fs::path found = find_installed(library);
    EXPECT_EQ(found.string().rfind("lib", 0), 0u) << library << " at " << found;
  }
  for (const char* file : {"tessan-altium-config.cmake", "tessan-altium-config-version.cmake",
                           "tessan-altium-targets.cmake"}) {
    const fs::path found = find_installed(file);
    EXPECT_EQ(found.parent_path().filename(), "tessan-altium") << file << " at " << found;
  }
}

// A project of its own that finds the package and prints what it reads from a footprint and a
// symbol library. It includes every installed public header, so none may need a private one.
void write_consumer(const TempDir& project, const fs::path& include_dir) {
  project.write("CMakeLists.txt",
                "cmake_minimum_required(VERSION 3.25)\n"
                "project(altium_reader LANGUAGES CXX)\n"
                "find_package(tessan-altium 0.8 REQUIRED)\n"
                "add_executable(altium_reader main.cpp)\n"
                "target_link_libraries(altium_reader PRIVATE tessan::altium_pcblib "
                "tessan::altium_schlib)\n");
  std::string main_cpp;
  for (const auto& entry : fs::recursive_directory_iterator(include_dir)) {
    if (entry.path().extension() == ".hpp") {
      main_cpp += "#include \"" + fs::relative(entry.path(), include_dir).string() + "\"\n";
    }
  }
  main_cpp += R"cpp(#include <iostream>

                    int main(int argc, char** argv) {
                      if (argc != 3) return 2;
                      const auto footprint = altium::read_pcblib(argv[1]);
                      const auto symbol = altium::read_schlib(argv[2]);
                      if (!footprint || !symbol) return 1;
                      std::cout << (*footprint)["module_name"].get<std::string>() << ':';
                      for (const auto& pad : (*footprint)["pads"]) std::cout << ' ' << pad["number"].get<std::string>();
                      std::cout << '\n' << (*symbol)["module_name"].get<std::string>() << ':';
                      for (const auto& pin : (*symbol)["pins"]) {
                        std::cout << ' ' << pin["number"].get<std::string>() << '=' << pin["name"].get<std::string>();
                      }
                      std::cout << '\n';
                    }
  )cpp";
  project.write("main.cpp", main_cpp);
}

void write_libraries(const TempDir& dir) {
  std::vector<PcbPad> pads;
  for (int i = 1; i <= 4; ++i) {
    pads.push_back(PcbPad{.designator = std::to_string(i), .x = i * 500000});
  }
  const Bytes pcblib = pcblib_file({{"SOT-23-5", pcb_data_stream("SOT23-4", pads)}});
  const Bytes schlib = schlib_file({{"LMV321", sch_component_stream({
                                                   SchPin{.name = "OUT", .designator = "1"},
                                                   SchPin{.name = "IN+", .designator = "3"},
                                               })}});
  dir.write("U1.PcbLib", std::string(pcblib.begin(), pcblib.end()));
  dir.write("U1.SchLib", std::string(schlib.begin(), schlib.end()));
}

TEST_F(Installed, AnotherProjectReadsAltiumLibrariesThroughThePackage) {
#ifdef TESSAN_SANITIZED_BUILD
  GTEST_SKIP() << "libraries built with sanitizers need the sanitizer runtime in the consumer";
#endif
  const TempDir project;
  write_consumer(project, prefix() / "include");
  write_libraries(project);
  const std::string generator = have_program("ninja") ? " -G Ninja" : "";
  const auto build =
      run_shell("cmake -S " + shell_quote(project.path().string()) + " -B " +
                shell_quote((project.path() / "build").string()) + generator +
                " -DCMAKE_PREFIX_PATH=" + shell_quote(prefix().string()) + " && cmake --build " +
                shell_quote((project.path() / "build").string()));
  ASSERT_EQ(build.exit_code, 0) << build.out << build.err;

  const auto run = run_shell(shell_quote((project.path() / "build/altium_reader").string()) + " " +
                             shell_quote((project.path() / "U1.PcbLib").string()) + " " +
                             shell_quote((project.path() / "U1.SchLib").string()));
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "SOT23-4: 1 2 3 4\nLMV321: 1=OUT 3=IN+\n");
}

}  // namespace
}  // namespace tessan::testing
