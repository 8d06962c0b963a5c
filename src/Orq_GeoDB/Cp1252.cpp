#include "Cp1252.h"

namespace orq::gdb_detail {

unsigned char Cp1252Lower(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 16);  // Š Œ Ž
  if (c == 0x9F) return 0xFF;                                                         // Ÿ
  return c;
}

}  // namespace orq::gdb_detail
