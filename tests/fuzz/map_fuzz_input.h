// Shared by the map file fuzz targets: the block identifier each input asks
// for, and a scratch file for the readers that only read text files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace orq::fuzz {

// The first byte picks the identifier, so one corpus exercises both the
// "first block" search and the matching of identifiers.
inline std::string PickDataID(const uint8_t*& Data, size_t& Size) {
  if (Size == 0) return "";
  const uint8_t choice = Data[0];
  ++Data;
  --Size;
  switch (choice % 3) {
    case 0: return "";
    case 1: return "a";
    default: return "B ";
  }
}

// Writes the bytes to a per-process file and returns its name.
inline const std::string& WriteScratchFile(const uint8_t* Data, size_t Size) {
  static const std::string name = "/tmp/orq_map_fuzz_" + std::to_string(getpid()) + ".xml";
  std::FILE* f = std::fopen(name.c_str(), "wb");
  if (f == nullptr) __builtin_trap();
  if (Size > 0 && std::fwrite(Data, 1, Size, f) != Size) __builtin_trap();
  std::fclose(f);
  return name;
}

}  // namespace orq::fuzz
