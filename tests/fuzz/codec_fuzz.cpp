// libFuzzer entry point for the image decoders and the size reader. Built
// only with clang (see CMakeLists.txt); run for example as
//   ./codec_fuzz -max_len=4096 -rss_limit_mb=3000 corpus/
// The first byte picks the decoder, so one corpus covers all three formats.
#include <cstddef>
#include <cstdint>

#include "orqplatform/ImageCodecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size < 1) return 0;
  const uint8_t* Body = Data + 1;
  const size_t BodySize = Size - 1;
  try {
    switch (Data[0] % 3) {
      case 0: orq::DecodeBmp(Body, BodySize); break;
      case 1: orq::DecodePng(Body, BodySize); break;
      default: orq::DecodeJpeg(Body, BodySize); break;
    }
  } catch (const orq::EInvalidGraphic&) {
  }
  try {
    orq::ReadImageSize(Body, BodySize);
  } catch (const orq::EInvalidGraphic&) {
  }
  return 0;
}
