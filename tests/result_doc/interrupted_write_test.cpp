// The temporary file of a write: removed when SIGINT or SIGTERM ends the process during the
// write, and swept by a later write when an earlier process left it behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "atomic_file_write.hpp"
#include "interrupt_cleanup.hpp"
#include "support/test_support.hpp"

namespace tessan {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

// Runs `body` in a child process; returns its wait status.
template <class Body>
int in_child(Body body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    body();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return status;
}

TEST(InterruptedWrite, TheSignalRemovesTheTemporaryFileAndStillEndsTheProcess) {
  for (const int signal_number : {SIGINT, SIGTERM}) {
    const TempDir dir;
    const fs::path temporary = dir.write(".tessan-write-Ab12Cd", "partial");
    const int status = in_child([&] {
      InterruptCleanup cleanup(temporary.string());
      ::raise(signal_number);
    });
    ASSERT_TRUE(WIFSIGNALED(status)) << signal_number;
    EXPECT_EQ(WTERMSIG(status), signal_number);
    EXPECT_FALSE(fs::exists(temporary)) << signal_number;
  }
}

TEST(InterruptedWrite, AReleasedFileAndAnIgnoredSignalAreLeftAlone) {
  const TempDir dir;
  const fs::path released = dir.write("released", "renamed away");
  const int killed = in_child([&] {
    InterruptCleanup cleanup(released.string());
    cleanup.release();
    ::raise(SIGTERM);
  });
  EXPECT_TRUE(WIFSIGNALED(killed) && WTERMSIG(killed) == SIGTERM);
  EXPECT_TRUE(fs::exists(released));

  const fs::path kept = dir.write("kept", "still being written");
  const int survived = in_child([&] {
    ::signal(SIGINT, SIG_IGN);
    InterruptCleanup cleanup(kept.string());
    ::raise(SIGINT);
  });
  EXPECT_TRUE(WIFEXITED(survived) && WEXITSTATUS(survived) == 0);
  EXPECT_TRUE(fs::exists(kept));
}

// Sets the entry's own times (a symbolic link's, not its target's) `by` in the past.
void age(const fs::path& path, std::chrono::minutes by) {
  const auto then = std::chrono::system_clock::now() - by;
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(then.time_since_epoch());
  const timespec times[2] = {{seconds.count(), 0}, {seconds.count(), 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

TEST(InterruptedWrite, AWriteSweepsItsOwnTemporaryFilesLeftOverAnHourAgo) {
  const TempDir dir;
  struct Row {
    std::string name;
    std::chrono::minutes age;
    bool swept;
  };
  const Row rows[] = {
      {".tessan-write-Ab12Cd", std::chrono::minutes(61), true},
      {".tessan-write-zzzzzz", std::chrono::minutes(60 * 24), true},
      {".tessan-write-Ef34Gh", std::chrono::minutes(59), false},  // may be a write under way
      {".tessan-write-Ab12C", std::chrono::minutes(120), false},  // not the name pattern
      {".tessan-write-Ab12Cd.bak", std::chrono::minutes(120), false},
      {"M-tessan.result.json.old", std::chrono::minutes(120), false},
  };
  for (const auto& row : rows) age(dir.write(row.name, "x"), row.age);
  fs::create_directory(dir.path() / ".tessan-write-Dir123");
  age(dir.path() / ".tessan-write-Dir123", std::chrono::minutes(120));
  fs::create_symlink(dir.path() / "M-tessan.result.json.old", dir.path() / ".tessan-write-Lnk123");
  age(dir.path() / ".tessan-write-Lnk123", std::chrono::minutes(120));

  ASSERT_TRUE(write_file_atomically(dir.path() / "M-tessan.result.json", "{}").ok());
  for (const auto& row : rows) EXPECT_EQ(fs::exists(dir.path() / row.name), !row.swept) << row.name;
  EXPECT_TRUE(fs::is_directory(dir.path() / ".tessan-write-Dir123"));
  EXPECT_TRUE(fs::is_symlink(dir.path() / ".tessan-write-Lnk123"));
  EXPECT_EQ(testing::read_file(dir.path() / "M-tessan.result.json"), "{}");
}

}  // namespace
}  // namespace tessan
