#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace quillon {

void WriteFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& write) {
  namespace fs = std::filesystem;
  const auto fail = [&](const std::string& why) {
    throw FileWriteError("cannot write '" + path + "': " + why);
  };
  const fs::path target(path);
  std::error_code ec;
  if (fs::is_directory(target, ec)) fail("is a directory");
  const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string name = target.filename().string();
  name.insert(name.begin(), '.');
  name += ".XXXXXX";
  std::string temp = (dir / name).string();
  const int fd = mkstemp(temp.data());
  if (fd < 0) fail(std::strerror(errno));
  // mkstemp makes the file private; give it the permissions a new file would get.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  close(fd);
  struct Remover {
    std::string name;
    bool armed = true;
    ~Remover() {
      if (armed) std::remove(name.c_str());
    }
  } remover{temp};
  {
    std::ofstream file(temp, std::ios::binary | std::ios::trunc);
    if (!file) fail(std::strerror(errno));
    write(file);
    file.flush();
    if (!file) fail("write failed");
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) fail(std::strerror(errno));
  remover.armed = false;
}

}  // namespace quillon
