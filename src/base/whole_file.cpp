#include "base/whole_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace stavbas {

int ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  char block[65536];
  int err = 0;
  for (;;) {
    const ssize_t n = ::read(fd, block, sizeof block);
    if (n > 0) {
      bytes.append(block, static_cast<std::size_t>(n));
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      err = errno;
      break;
    }
  }
  ::close(fd);
  return err;
}

}  // namespace stavbas
