// Symbol repository reader.
#include <cstdint>

#include "fuzz_support.h"
#include "orqcarta/Orq_GeoMap.h"

using namespace orq;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  WriteFuzzFile(Data, Size);
  TSymbolRepository r;
  r.LoadFromFile(FuzzFileName(), "");
  if (r.NumEntries() > r.Capacity()) __builtin_trap();
  for (int i = 1; i <= r.NumEntries(); ++i)
    if (r.Symbols(i).Name.length() > 40) __builtin_trap();
  return 0;
}
