#include "orqbase/BoundedString.h"

namespace orq {

namespace {

// Length in bytes of the UTF-8 sequence starting at Text[i], or 1 when the
// bytes there do not form a complete, well-formed sequence.
std::size_t SequenceLength(std::string_view Text, std::size_t i) {
  const unsigned char lead = static_cast<unsigned char>(Text[i]);
  std::size_t len = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
  if (i + len > Text.size()) return 1;
  for (std::size_t k = 1; k < len; ++k)
    if ((static_cast<unsigned char>(Text[i + k]) & 0xC0) != 0x80) return 1;
  return len;
}

}  // namespace

std::string CutToChars(std::string_view Text, std::size_t MaxChars) {
  std::size_t i = 0;
  for (std::size_t chars = 0; chars < MaxChars && i < Text.size(); ++chars) i += SequenceLength(Text, i);
  return std::string(Text.substr(0, i));
}

std::size_t CharCount(std::string_view Text) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < Text.size(); ++chars) i += SequenceLength(Text, i);
  return chars;
}

}  // namespace orq
