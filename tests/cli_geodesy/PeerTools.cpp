#include "PeerTools.h"

#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace orq::cli::test {

std::string RunProgram(const std::string& Command, const std::string& Input) {
  char path[] = "/tmp/orq_peer_XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) return {};
  close(fd);
  std::ofstream(path, std::ios::binary) << Input;
  std::string out;
  if (FILE* pipe = popen((Command + " <" + path + " 2>/dev/null").c_str(), "r")) {
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
  }
  std::remove(path);
  return out;
}

bool HaveProgram(const std::string& Name) {
  return std::system(("command -v " + Name + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace orq::cli::test
