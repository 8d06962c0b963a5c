#include "orqmath/TextScan.h"

#include <algorithm>
#include <cstring>

namespace orq {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

constexpr const char* kMonthsEnglish[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* kMonthsGerman[12] = {"Jan", "Feb", "M\xC3\xA4r", "Apr", "Mai", "Jun",
                                           "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};

const char* MonthName(TLanguage Language, int Month) {
  return (Language == lanGerman ? kMonthsGerman : kMonthsEnglish)[Month - 1];
}

// Length of the run of picture letter c starting at i.
std::size_t RunLength(const std::string& Format, std::size_t i) {
  std::size_t n = 1;
  while (i + n < Format.size() && Format[i + n] == Format[i]) ++n;
  return n;
}

// Case-insensitive (ASCII) prefix match of Name at Text[pos].
bool MatchesAt(const std::string& Text, std::size_t pos, const char* Name) {
  const std::size_t len = std::strlen(Name);
  if (pos + len > Text.size()) return false;
  for (std::size_t k = 0; k < len; ++k) {
    char a = Text[pos + k], b = Name[k];
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
    if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
    if (a != b) return false;
  }
  return true;
}

// Exactly Count digits at Text[pos]; false otherwise.
bool Digits(const std::string& Text, std::size_t& pos, std::size_t Count, int& Value) {
  if (pos + Count > Text.size()) return false;
  Value = 0;
  for (std::size_t k = 0; k < Count; ++k) {
    const char c = Text[pos + k];
    if (c < '0' || c > '9') return false;
    Value = Value * 10 + (c - '0');
  }
  pos += Count;
  return true;
}

std::string Padded(int Value, std::size_t Width) {
  std::string s = std::to_string(Value);
  if (s.size() < Width) s.insert(0, Width - s.size(), '0');
  return s;
}

}  // namespace

uint32_t ScanHex(const std::string& Text, int& Position) {
  if (Position < 1 || static_cast<std::size_t>(Position) > Text.size()) return 0;
  std::size_t i = static_cast<std::size_t>(Position - 1);
  uint64_t value = 0;
  bool any = false, overflow = false;
  for (int d; i < Text.size() && (d = HexDigit(Text[i])) >= 0; ++i) {
    any = true;
    value = (value << 4) | static_cast<uint64_t>(d);
    if (value > 0xFFFFFFFFu) overflow = true, value &= 0xFFFFFFFFu;
  }
  if (!any) return 0;
  Position = static_cast<int>(i + 1);
  return overflow ? 0xFFFFFFFFu : static_cast<uint32_t>(value);
}

std::string HexOfBits(uint64_t Bits, int Digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  do {
    out.insert(out.begin(), kDigits[Bits & 15]);
    Bits >>= 4;
  } while (Bits != 0);
  const std::size_t width = static_cast<std::size_t>(std::clamp(Digits, 0, 32));
  if (out.size() < width) out.insert(0, width - out.size(), '0');
  return out;
}

TDateTime ScanDateTime(const std::string& Text, const std::string& Format, TLanguage Language, int& Position) {
  Position = 0;
  int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0, msec = 0;
  std::size_t pos = 0;
  while (pos < Text.size() && Text[pos] == ' ') ++pos;
  for (std::size_t i = 0; i < Format.size();) {
    const char f = Format[i];
    const std::size_t run = RunLength(Format, i);
    bool ok = true;
    std::size_t used = run;
    if (f == 'y' && run >= 4) {
      used = 4;
      ok = Digits(Text, pos, 4, year);
    } else if (f == 'y' && run >= 2) {
      used = 2;
      ok = Digits(Text, pos, 2, year);
      year += year < 50 ? 2000 : 1900;
    } else if (f == 'm' && run >= 3) {
      used = 3;
      ok = false;
      for (int m = 1; m <= 12 && !ok; ++m) {
        const char* name = MonthName(Language, m);
        if (MatchesAt(Text, pos, name)) {
          ok = true, month = m, pos += std::strlen(name);
        } else if (Language == lanGerman && m == 3 && MatchesAt(Text, pos, "Mrz")) {
          ok = true, month = 3, pos += 3;
        }
      }
    } else if (f == 'm' && run >= 2) {
      used = 2;
      ok = Digits(Text, pos, 2, month);
    } else if (f == 'd' && run >= 2) {
      used = 2;
      ok = Digits(Text, pos, 2, day);
    } else if (f == 'H' && run >= 2) {
      used = 2;
      ok = Digits(Text, pos, 2, hour);
    } else if (f == 'M' && run >= 2) {
      used = 2;
      ok = Digits(Text, pos, 2, minute);
    } else if (f == 'S' && run >= 2) {
      used = 2;
      ok = Digits(Text, pos, 2, second);
    } else if (f == 'z' && run >= 3) {
      used = 3;
      ok = Digits(Text, pos, 3, msec);
    } else {
      used = 1;
      ok = pos < Text.size() && Text[pos] == f;
      ++pos;
    }
    if (!ok) return 0;
    i += used;
  }
  TDateTime value = 0;
  if (!TryEncodeDateTime(year, month, day, hour, minute, second, msec, value)) return 0;
  Position = static_cast<int>(pos + 1);
  return value;
}

std::string FormatDateTimePicture(const std::string& Format, TDateTime Value, TLanguage Language) {
  int year, month, day, hour, minute, second, msec;
  DecodeDateTime(Value, year, month, day, hour, minute, second, msec);
  std::string out;
  for (std::size_t i = 0; i < Format.size();) {
    const char f = Format[i];
    const std::size_t run = RunLength(Format, i);
    std::size_t used = 2;
    if (f == 'y' && run >= 4) {
      out += Padded(year, 4), used = 4;
    } else if (f == 'y' && run >= 2) {
      out += Padded(year % 100, 2);
    } else if (f == 'm' && run >= 3) {
      out += MonthName(Language, month), used = 3;
    } else if (f == 'm' && run >= 2) {
      out += Padded(month, 2);
    } else if (f == 'd' && run >= 2) {
      out += Padded(day, 2);
    } else if (f == 'H' && run >= 2) {
      out += Padded(hour, 2);
    } else if (f == 'M' && run >= 2) {
      out += Padded(minute, 2);
    } else if (f == 'S' && run >= 2) {
      out += Padded(second, 2);
    } else if (f == 'z' && run >= 3) {
      out += Padded(msec, 3), used = 3;
    } else {
      out += f, used = 1;
    }
    i += used;
  }
  return out;
}

}  // namespace orq
