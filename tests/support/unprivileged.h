#pragma once
// Runs a piece of a test in a child process as an ordinary user, so that the permissions of
// files and folders hold for it even when the tests run as root.

#include <functional>
#include <string>

namespace stavbas::test {

struct ChildResult {
  bool exited = false;  // false when the child died from a signal or could not start
  int status = -1;      // its exit status
  std::string output;   // what the body returned
};

// Forks; the child gives up root (user and group "nobody") when it has it, runs `body` and
// hands its result back. Exit status 0 means the body ran as an ordinary user.
ChildResult RunUnprivileged(const std::function<std::string()>& body);

// Opens a folder and the folders in it to every user, and makes its files readable by all.
void OpenToEveryone(const std::string& folder);

}  // namespace stavbas::test
