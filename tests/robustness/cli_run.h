#pragma once
// Runs stavbas-cli as a user would from a shell: with arguments (no shell quoting), in a
// folder, under a time limit, optionally as an ordinary user; its output and how it ended.

#include <chrono>
#include <string>
#include <vector>

namespace stavbas::test {

struct CliRun {
  bool finished = false;   // ended by itself within the time limit
  bool signalled = false;  // ended by a signal (a crash or a sanitizer's abort)
  int status = -1;         // exit status when it ended normally
  std::string out;         // standard output
  std::string err;         // standard error
  double seconds = 0;
};

struct CliOptions {
  std::string folder = ".";   // the working folder
  bool unprivileged = false;  // as user and group "nobody" when the tests run as root
  std::chrono::seconds limit{30};
  // Called in the parent once standard error holds `meddleWhen` (for files that change under
  // the program while it runs).
  std::string meddleWhen;
  void (*meddle)(const std::string& folder) = nullptr;
};

CliRun RunCli(const std::vector<std::string>& args, const CliOptions& options = {});

}  // namespace stavbas::test
