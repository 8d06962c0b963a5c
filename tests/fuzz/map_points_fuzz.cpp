// libFuzzer target: the tool's CSV and GeoJSON landmark readers and its JSON
// parser. Input errors (EInputError, EJsonError) are expected; whatever a
// reader accepts must survive the writers and read back to the same
// landmarks.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ErrorReport.h"
#include "landmarks_fields.h"
#include "landmarks_formats.h"
#include "landmarks_json.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) return 0;
  static const orq::TLandMark start = orq::cli::NewLandmarkTemplate();
  const std::string_view text(reinterpret_cast<const char*>(Data + 1), Size - 1);
  std::vector<std::string> ignored;
  std::vector<orq::TLandMark> read;
  try {
    switch (Data[0] % 3) {
      case 0: read = orq::cli::LandmarksFromCsv(text, start, ignored); break;
      case 1: read = orq::cli::LandmarksFromGeoJson(text, start, ignored); break;
      default: orq::cli::ParseJson(text); return 0;
    }
  } catch (const orq::cli::EInputError&) {
    return 0;
  } catch (const orq::cli::EJsonError&) {
    return 0;
  }
  std::vector<std::string> none;
  if (orq::cli::LandmarksFromCsv(orq::cli::LandmarksToCsv(read), start, none) != read) __builtin_trap();
  if (orq::cli::LandmarksFromGeoJson(orq::cli::LandmarksToGeoJson(read), start, none) != read) __builtin_trap();
  return 0;
}
