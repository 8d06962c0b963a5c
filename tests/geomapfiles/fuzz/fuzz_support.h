// Shared by the reader fuzz targets: a scratch file per process.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace orq {

inline const std::string& FuzzFileName() {
  static const std::string name = "/tmp/orq_reader_fuzz_" + std::to_string(::getpid()) + ".xml";
  return name;
}

inline void WriteFuzzFile(const uint8_t* Data, size_t Size) {
  std::FILE* f = std::fopen(FuzzFileName().c_str(), "wb");
  if (!f) return;
  if (Size) std::fwrite(Data, 1, Size, f);
  std::fclose(f);
}

}  // namespace orq
