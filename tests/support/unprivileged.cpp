#include "support/unprivileged.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

namespace stavbas::test {

namespace fs = std::filesystem;

namespace {
constexpr uid_t kNobody = 65534;
constexpr int kCannotDropRoot = 97;
}  // namespace

ChildResult RunUnprivileged(const std::function<std::string()>& body) {
  ChildResult result;
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return result;
  const pid_t pid = ::fork();
  if (pid < 0) return result;
  if (pid == 0) {
    ::close(pipeFds[0]);
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
      ::_exit(kCannotDropRoot);
    const std::string out = body();
    for (std::size_t done = 0; done < out.size();) {
      const ssize_t n = ::write(pipeFds[1], out.data() + done, out.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    ::_exit(0);
  }
  ::close(pipeFds[1]);
  char buf[4096];
  ssize_t n;
  while ((n = ::read(pipeFds[0], buf, sizeof buf)) > 0) result.output.append(buf, n);
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  result.exited = WIFEXITED(status);
  result.status = result.exited ? WEXITSTATUS(status) : -1;
  return result;
}

void OpenToEveryone(const std::string& folder) {
  std::error_code ec;
  fs::permissions(folder, fs::perms::all, ec);
  for (const auto& e : fs::recursive_directory_iterator(folder, ec)) {
    if (e.is_directory(ec))
      fs::permissions(e.path(), fs::perms::all, ec);
    else
      fs::permissions(e.path(),
                      fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                      fs::perm_options::add, ec);
  }
}

}  // namespace stavbas::test
