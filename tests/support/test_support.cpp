#include "support/test_support.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace tessan::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tessan-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TempDir::write(const std::filesystem::path& relative,
                                     std::string_view content) const {
  const auto full = path_ / relative;
  std::filesystem::create_directories(full.parent_path());
  write_file(full, content);
  return full;
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void write_file(const std::filesystem::path& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

std::optional<std::filesystem::path> corpus_dir() {
  std::filesystem::path dir = TESSAN_CORPUS_DIR;
  if (const char* env = std::getenv("TESSAN_CORPUS_DIR")) dir = env;
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec)) return std::nullopt;
  return std::filesystem::canonical(dir, ec);
}

std::filesystem::path tessan_binary() {
  if (const char* env = std::getenv("TESSAN_BINARY")) return env;
  return TESSAN_BINARY;
}

namespace {

std::vector<std::string> child_environment(const std::vector<std::string>& changes) {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
  for (const auto& change : changes) {
    const auto eq = change.find('=');
    const std::string name = change.substr(0, eq);
    std::erase_if(env, [&](const std::string& v) { return v.rfind(name + "=", 0) == 0; });
    if (eq != std::string::npos) env.push_back(change);
  }
  return env;
}

void drain(int out_fd, int err_fd, std::string& out, std::string& err) {
  pollfd fds[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
  int open_count = 2;
  char buffer[65536];
  while (open_count > 0) {
    if (poll(fds, 2, -1) < 0) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n <= 0) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open_count;
      } else {
        (i == 0 ? out : err).append(buffer, static_cast<std::size_t>(n));
      }
    }
  }
}

}  // namespace

ProcessResult run_tessan(const std::vector<std::string>& args, const std::vector<std::string>& env,
                         const std::optional<std::filesystem::path>& cwd) {
  int out_pipe[2];
  int err_pipe[2];
  if (pipe(out_pipe) != 0 || pipe(err_pipe) != 0) throw std::runtime_error("pipe failed");
  const std::string binary = tessan_binary().string();
  std::vector<std::string> argv_storage = {binary};
  argv_storage.insert(argv_storage.end(), args.begin(), args.end());
  const auto env_storage = child_environment(env);

  const pid_t pid = fork();
  if (pid == 0) {
    const int devnull = open("/dev/null", O_RDONLY);
    dup2(devnull, 0);
    dup2(out_pipe[1], 1);
    dup2(err_pipe[1], 2);
    close(out_pipe[0]);
    close(err_pipe[0]);
    if (cwd && chdir(cwd->c_str()) != 0) _exit(127);
    std::vector<char*> argv;
    for (auto& a : argv_storage) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const auto& e : env_storage) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    execve(binary.c_str(), argv.data(), envp.data());
    _exit(127);
  }
  close(out_pipe[1]);
  close(err_pipe[1]);
  ProcessResult result;
  drain(out_pipe[0], err_pipe[0], result.out, result.err);
  int status = 0;
  waitpid(pid, &status, 0);
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

}  // namespace tessan::testing
