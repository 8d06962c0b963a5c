// libFuzzer target: the symbol repository reader (ReadFromOpenXMLFile through
// LoadFromFile) over arbitrary bytes in a scratch file.
#include <cstddef>
#include <cstdint>

#include "map_fuzz_input.h"
#include "orqcarta/Orq_GeoMap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string id = orq::fuzz::PickDataID(Data, Size);
  const std::string& file = orq::fuzz::WriteScratchFile(Data, Size);
  orq::TSymbolRepository repo;
  repo.LoadFromFile(file, id);
  const int n = repo.NumEntries();
  if (n < 0 || n > repo.Capacity()) __builtin_trap();
  for (int i = 1; i <= n; ++i)
    if (repo.Symbols(i).Name.length() > 40) __builtin_trap();
  return 0;
}
