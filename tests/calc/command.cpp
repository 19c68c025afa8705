#include "tests/calc/command.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>

extern char** environ;

namespace lobrin::calc_test {

namespace {

// A temporary file, removed with the object.
class TempFile {
 public:
  TempFile() : descriptor_(mkostemp(name_, O_CLOEXEC)) {}
  ~TempFile() {
    close(descriptor_);
    unlink(name_);
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  int descriptor() const { return descriptor_; }
  const char* name() const { return name_; }
  std::string Content() const {
    std::ifstream in(name_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  char name_[32] = "/tmp/lobrin_calc_XXXXXX";
  int descriptor_;
};

// Spawns lobrin-calc with `input` as its standard input and `output` (or a
// file read into CommandResult::out when -1) as its standard output, lets
// `whileRunning` work, and waits.
CommandResult Run(const std::vector<std::string>& arguments, int input, int output,
                  const std::function<void()>& whileRunning) {
  TempFile out, err;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, output >= 0 ? output : out.descriptor(), STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err.descriptor(), STDERR_FILENO);
  // The program meets a closed pipe as it would from a shell, whatever this process ignores.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

  std::vector<char*> argv{const_cast<char*>(LOBRIN_CALC_PATH)};
  for (const std::string& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  CommandResult result;
  pid_t pid = 0;
  if (posix_spawn(&pid, LOBRIN_CALC_PATH, &actions, &attributes, argv.data(), environ) == 0) {
    whileRunning();
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) {
      result.exitCode = WEXITSTATUS(status);
    }
    result.peakKilobytes = usage.ru_maxrss;
  }
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  result.out = out.Content();
  result.err = err.Content();
  return result;
}

}  // namespace

bool WriteAll(int descriptor, const char* bytes, std::size_t count) {
  while (count > 0) {
    const ssize_t written = write(descriptor, bytes, count);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return false;
    }
    bytes += written;
    count -= static_cast<std::size_t>(written);
  }
  return true;
}

CommandResult RunCommand(const std::vector<std::string>& arguments, const std::string& input) {
  return RunCommandWritingTo(arguments, input, nullptr);
}

CommandResult RunCommandWritingTo(const std::vector<std::string>& arguments, const std::string& input,
                                  const char* outputPath) {
  TempFile in;
  WriteAll(in.descriptor(), input.data(), input.size());
  const int reading = open(in.name(), O_RDONLY | O_CLOEXEC);
  const int writing = outputPath == nullptr ? -1 : open(outputPath, O_WRONLY | O_CLOEXEC);
  CommandResult result = Run(arguments, reading, writing, [] {});
  close(reading);
  if (writing >= 0) {
    close(writing);
  }
  return result;
}

CommandResult RunCommandFed(const std::vector<std::string>& arguments, const std::function<void(int)>& feed) {
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
    return {};
  }
  // A program that stops reading early must not end this process with SIGPIPE.
  struct sigaction ignore {
  }, previous{};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGPIPE, &ignore, &previous);
  CommandResult result = Run(arguments, pipeEnds[0], -1, [&] {
    close(pipeEnds[0]);
    feed(pipeEnds[1]);
    close(pipeEnds[1]);
  });
  sigaction(SIGPIPE, &previous, nullptr);
  return result;
}

}  // namespace lobrin::calc_test
