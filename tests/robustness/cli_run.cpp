#include "robustness/cli_run.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace stavbas::test {

namespace {
constexpr uid_t kNobody = 65534;
}  // namespace

CliRun RunCli(const std::vector<std::string>& args, const CliOptions& options) {
  CliRun run;
  const std::string program = std::string(STAVBAS_BINARY_DIR) + "/stavbas-cli";
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  int out[2], err[2];
  if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return run;
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid < 0) return run;
  if (pid == 0) {
    ::dup2(out[1], 1);
    ::dup2(err[1], 2);
    const int devNull = ::open("/dev/null", O_RDONLY);
    ::dup2(devNull, 0);
    if (::chdir(options.folder.c_str()) != 0) ::_exit(126);
    if (options.unprivileged && ::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
      ::_exit(125);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);

  pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string* sinks[2] = {&run.out, &run.err};
  int open = 2;
  bool meddled = options.meddle == nullptr;
  const auto deadline = start + options.limit;
  while (open > 0) {
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) break;
    if (!meddled && run.err.find(options.meddleWhen) != std::string::npos) {
      options.meddle(options.folder);
      meddled = true;
    }
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::min(deadline - now, std::chrono::steady_clock::duration(std::chrono::seconds(1))));
    if (::poll(fds, 2, static_cast<int>(wait.count()) + 1) < 0) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      char buf[65536];
      const ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
      if (n > 0) {
        sinks[i]->append(buf, static_cast<std::size_t>(n));
      } else {
        ::close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  int status = 0;
  if (open > 0) {  // the time is up
    ::kill(pid, SIGKILL);
    for (pollfd& f : fds)
      if (f.fd >= 0) ::close(f.fd);
    ::waitpid(pid, &status, 0);
    return run;
  }
  ::waitpid(pid, &status, 0);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.finished = true;
  run.signalled = WIFSIGNALED(status);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace stavbas::test
