#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace tolvik::testing {

// A program run as a child: its standard input a pipe the test writes
// into, its standard output a pipe read line by line, its standard error
// a file. Killed, if it still runs, when the object goes.
class ChildProgram {
 public:
  ChildProgram(const std::vector<std::string>& arguments, std::filesystem::path error_file)
      : error_file_(std::move(error_file)) {
    // A child that dies must fail the test, not end it by SIGPIPE.
    signal(SIGPIPE, SIG_IGN);
    int input[2];
    int output[2];
    // Close-on-exec: another child (a broker started later) must not hold
    // the input open, or this child never sees its end.
    if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0) {
      throw std::runtime_error("cannot make pipes");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, error_file_.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    for (const int end : {input[0], input[1], output[0], output[1]}) {
      posix_spawn_file_actions_addclose(&actions, end);
    }
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
      argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const int spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    close(output[1]);
    input_ = input[1];
    output_ = output[0];
    if (spawned != 0) {
      pid_ = -1;
      throw std::runtime_error("cannot start " + arguments.front());
    }
  }

  ~ChildProgram() {
    CloseInput();
    if (pid_ > 0) {
      Kill(SIGKILL);
      Wait();  // no zombie left behind
    }
    close(output_);
  }

  ChildProgram(const ChildProgram&) = delete;
  ChildProgram& operator=(const ChildProgram&) = delete;

  // False when the child no longer reads.
  bool Write(const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
      const ssize_t n = write(input_, bytes.data() + written, bytes.size() - written);
      if (n <= 0) {
        return false;
      }
      written += static_cast<std::size_t>(n);
    }
    return true;
  }

  void CloseInput() {
    if (input_ >= 0) {
      close(input_);
      input_ = -1;
    }
  }

  // The next line of standard output, without its end; nullopt at the end
  // of the output or when none came within `patience`.
  std::optional<std::string> ReadLine(std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (true) {
      const std::size_t end = pending_.find('\n');
      if (end != std::string::npos) {
        std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        return line;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      pollfd readable{output_, POLLIN, 0};
      if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) <= 0) {
        return std::nullopt;
      }
      char buffer[4096];
      const ssize_t n = read(output_, buffer, sizeof buffer);
      if (n <= 0) {
        return std::nullopt;
      }
      pending_.append(buffer, static_cast<std::size_t>(n));
    }
  }

  // Only while the program runs: once waited for, pid_ is -1, and kill(-1)
  // would signal every process of the user.
  void Kill(int signal_number) {
    if (pid_ > 0) {
      kill(pid_, signal_number);
    }
  }

  // The exit status, or 128 plus the signal that ended it.
  int Wait() {
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

  std::string ErrorText() const {
    std::ifstream file(error_file_);
    return {std::istreambuf_iterator<char>(file), {}};
  }

 private:
  std::filesystem::path error_file_;
  pid_t pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  std::string pending_;  // read and not yet taken as lines
};

}  // namespace tolvik::testing
