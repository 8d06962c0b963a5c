// libFuzzer target: the tag reader, over a memory stream and over a text
// file, with the map formats' tag list. Each call must consume input, so
// the loops end; at the end both readers must report the last index.
#include <cstddef>
#include <cstdint>
#include <span>

#include "map_fuzz_input.h"
#include "files/XmlText.h"
#include "orqbase/TagReader.h"
#include "orqcarta/Orq_GeoMap.h"

namespace {

constexpr int High = orq::GeoMapXmlTagHigh;

void CheckResult(int Ix) {
  if (Ix < 0 || Ix > High) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::span<const std::string> tags(orq::GeoMapXmlTags);
  std::string attributes, content;

  orq::TMemoryStream stream;
  if (Size > 0) stream.Write(Data, static_cast<int64_t>(Size));
  stream.SetPosition(0);
  for (size_t calls = 0;; ++calls) {
    if (calls > Size + 1) __builtin_trap();  // a call that read nothing
    const int ix = orq::ReadNextTagInStream(&stream, tags, High, attributes, content);
    CheckResult(ix);
    if (ix == High) break;
  }

  orq::TTextFile file(orq::fuzz::WriteScratchFile(Data, Size));
  file.Reset();
  for (size_t calls = 0;; ++calls) {
    if (calls > Size + 1) __builtin_trap();
    const int ix = orq::ReadNextTagInTextFile(file, tags, High, attributes, content);
    CheckResult(ix);
    if (ix == High) break;
  }
  file.Close();
  return 0;
}
