#include "parsers/read_text_file.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "support/test_support.hpp"

namespace tessan {
namespace {

using testing::TempDir;

TEST(Utf8ValidationTest, AcceptsWellFormedAndRejectsMalformedSequences) {
  struct Case {
    std::string text;
    bool valid;
  };
  const std::vector<Case> cases = {
      {"", true},
      {"plain ascii, longer than one eight-byte word", true},
      {std::string("nul \0 inside", 12), true},
      {"\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80", true},  // two, three and four bytes
      {"\xef\xbb\xbf(kicad_symbol_lib)", true},        // byte order mark
      {"\x80", false},                                 // lone continuation byte
      {"abcdefgh\xc3", false},                         // truncated after a full word
      {"\xc0\xaf", false},                             // overlong
      {"\xed\xa0\x80", false},                         // surrogate
      {"\xf4\x90\x80\x80", false},                     // beyond U+10FFFF
      {"\xe2\x82", false},
      {"\xe9t\xe9", false},  // Latin-1
  };
  for (const auto& c : cases) EXPECT_EQ(is_valid_utf8(c.text), c.valid) << c.text;
}

TEST(ReadTextFileTest, ReturnsTheWholeFile) {
  TempDir dir;
  std::string big(3 << 20, 'x');
  big[12345] = '\n';
  for (const std::string& content : {std::string(), std::string("short"), big}) {
    const auto text = read_text_file(dir.write("f.txt", content));
    ASSERT_TRUE(text.ok()) << text.error().chain();
    EXPECT_EQ(*text, content);
  }
}

TEST(ReadTextFileTest, FailuresSayReadingThePathWithTheReasonBeneath) {
  TempDir dir;
  const auto latin1 = dir.write("latin1.txt", "caf\xe9");
  const auto fifo = dir.path() / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    std::filesystem::path path;
    std::string cause;
  };
  const std::vector<Case> cases = {
      {dir.path() / "missing", "No such file or directory"},
      {dir.path(), "Is a directory"},
      {latin1, "stream did not contain valid UTF-8"},
      {fifo, "not a regular file"},
      {"/dev/zero", "not a regular file"},
  };
  for (const auto& c : cases) {
    const auto text = read_text_file(c.path);
    ASSERT_FALSE(text.ok()) << c.path;
    EXPECT_EQ(text.error().message(), "reading " + c.path.string());
    ASSERT_NE(text.error().cause(), nullptr);
    EXPECT_EQ(text.error().cause()->message(), c.cause);
  }
}

}  // namespace
}  // namespace tessan
