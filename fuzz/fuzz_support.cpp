#include "fuzz_support.hpp"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include "parsers/read_text_file.hpp"

namespace tessan::fuzz {

namespace fs = std::filesystem;

namespace {

fs::path scratch_root() {
  std::error_code ec;
  if (fs::is_directory("/dev/shm", ec)) return "/dev/shm";
  return fs::temp_directory_path();
}

void remove_scratch_dir() {
  std::error_code ec;
  fs::remove_all(scratch_dir(), ec);
}

}  // namespace

const fs::path& scratch_dir() {
  static const fs::path dir = [] {
    fs::path path = scratch_root() / ("tessan-fuzz-" + std::to_string(getpid()));
    fs::create_directories(path);
    std::atexit(remove_scratch_dir);
    return path;
  }();
  return dir;
}

fs::path write_scratch_file(std::string_view name, std::string_view content) {
  fs::path path = scratch_dir() / name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) fail("cannot write a scratch file");
  return path;
}

void fail(std::string_view what) {
  std::fprintf(stderr, "fuzz property broken: %.*s\n", static_cast<int>(what.size()), what.data());
  std::abort();
}

void require_sound_record(const SourceData& record) {
  for (const std::string& pad : record.pads) require(is_valid_utf8(pad), "pad label not UTF-8");
  for (const Pin& pin : record.pins) {
    require(is_valid_utf8(pin.number) && is_valid_utf8(pin.name), "pin text not UTF-8");
    require(pin.is_stub == is_stub_name(pin.name, pin.number), "stub flag against the rule");
  }
  if (record.package) {
    require(is_valid_utf8(record.package->package_name), "package name not UTF-8");
  }
}

}  // namespace tessan::fuzz
