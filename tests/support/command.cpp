#include "support/command.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

namespace stavbas::test {

CommandResult RunCommand(const std::string& commandLine) {
  CommandResult r;
  FILE* p = popen(commandLine.c_str(), "r");
  if (!p) return r;
  std::array<char, 4096> buf;
  std::size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  const int status = pclose(p);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace stavbas::test
