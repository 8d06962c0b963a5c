// Windows-1252 <-> UTF-8.
#include <cstdint>
#include <string>
#include <string_view>

#include "orqplatform/TextFile.h"

namespace orq {

namespace {

// Code points of the bytes 0x80..0x9F; the undefined ones map to the C1
// control of the same number.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t CodePointOf(unsigned char Byte) {
  if (Byte >= 0x80 && Byte <= 0x9F) return kHighControls[Byte - 0x80];
  return Byte;
}

void AppendUtf8(std::string& Out, char32_t Cp) {
  if (Cp < 0x80) {
    Out += static_cast<char>(Cp);
  } else if (Cp < 0x800) {
    Out += static_cast<char>(0xC0 | (Cp >> 6));
    Out += static_cast<char>(0x80 | (Cp & 0x3F));
  } else {
    Out += static_cast<char>(0xE0 | (Cp >> 12));
    Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Cp & 0x3F));
  }
}

// The byte for a code point, or '?' when the code page has none.
char ByteOf(char32_t Cp) {
  if (Cp < 0x80 || (Cp >= 0xA0 && Cp <= 0xFF)) return static_cast<char>(Cp);
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] == Cp) return static_cast<char>(0x80 + i);
  return '?';
}

// Decodes one well-formed UTF-8 sequence at Text[i]; returns its length, or
// 0 when the bytes there are not one (overlong forms and surrogates included).
std::size_t DecodeUtf8(std::string_view Text, std::size_t i, char32_t& Cp) {
  const unsigned char b0 = static_cast<unsigned char>(Text[i]);
  std::size_t len;
  char32_t min;
  if (b0 < 0x80) {
    Cp = b0;
    return 1;
  } else if ((b0 & 0xE0) == 0xC0) {
    len = 2, Cp = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3, Cp = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4, Cp = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + len > Text.size()) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    const unsigned char b = static_cast<unsigned char>(Text[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    Cp = (Cp << 6) | (b & 0x3F);
  }
  if (Cp < min || Cp > 0x10FFFF || (Cp >= 0xD800 && Cp <= 0xDFFF)) return 0;
  return len;
}

}  // namespace

std::string Cp1252CharToUtf8(unsigned char Byte) {
  std::string out;
  AppendUtf8(out, CodePointOf(Byte));
  return out;
}

std::string Cp1252ToUtf8(std::string_view Bytes) {
  std::string out;
  out.reserve(Bytes.size());
  for (char c : Bytes) AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToCp1252(std::string_view Text) {
  std::string out;
  out.reserve(Text.size());
  for (std::size_t i = 0; i < Text.size();) {
    char32_t cp = 0;
    const std::size_t len = DecodeUtf8(Text, i, cp);
    if (len == 0) {
      out += '?';
      ++i;
    } else {
      out += ByteOf(cp);
      i += len;
    }
  }
  return out;
}

}  // namespace orq
