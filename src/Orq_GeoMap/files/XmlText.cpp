// Text routines shared by the calibration, landmark and symbol file readers.
#include "XmlText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "orqbase/Limits.h"
#include "orqplatform/FormatSettings.h"
#include "orqplatform/Streams.h"
#include "orqplatform/TextFile.h"

namespace orq {

std::string XmlTrim(const std::string& Text) {
  const auto first = Text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = Text.find_last_not_of(' ');
  return Text.substr(first, last - first + 1);
}

std::string XmlLowerCase(std::string Text) {
  for (char& c : Text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return Text;
}

int ClosingQuotePos(const std::string& SearchText, const std::string& Text, int Start, bool IgnoreCase, int Count) {
  if (SearchText.empty() || Count < 1) return 0;
  if (Start < 1) Start = 1;
  const std::string needle = IgnoreCase ? XmlLowerCase(SearchText) : SearchText;
  const std::string hay = IgnoreCase ? XmlLowerCase(Text) : Text;
  std::size_t from = static_cast<std::size_t>(Start) - 1;
  for (int n = 1; n <= Count; ++n) {
    if (from > hay.size()) return 0;
    const std::size_t found = hay.find(needle, from);
    if (found == std::string::npos) return 0;
    if (n == Count) return static_cast<int>(found) + 1;
    from = found + needle.size();
  }
  return 0;
}

int ScanXmlInteger(const std::string& Text, int& Position) {
  if (Position < 1) Position = 1;
  const int len = static_cast<int>(Text.size());
  if (Position > len) return 0;
  int p = Position;
  while (p < len && Text[p - 1] == ' ') ++p;
  bool negative = false;
  if (p <= len && (Text[p - 1] == '-' || Text[p - 1] == '+')) {
    negative = Text[p - 1] == '-';
    ++p;
  }
  // Saturate instead of overflowing: a file may hold any number of digits.
  int64_t value = 0;
  constexpr int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  while (p <= len && Text[p - 1] >= '0' && Text[p - 1] <= '9') {
    if (value <= limit) value = value * 10 + (Text[p - 1] - '0');
    ++p;
  }
  Position = p;
  if (negative) return static_cast<int>(std::max(-value, int64_t{std::numeric_limits<int32_t>::min()}));
  return static_cast<int>(std::min(value, int64_t{std::numeric_limits<int32_t>::max()}));
}

namespace {

enum TCharClass : int { ccSeparator, ccBlank, ccSign, ccDigit, ccExp, ccOther };
constexpr int stEnd = 0;
constexpr int stFail = -1;
constexpr int stExpIfAllowed = -2;  // resolved by the exponent flag

// Rows are the states 1..8, columns the character classes.
constexpr int DecimalStates[8][6] = {
    /* 1 start            */ {4, 1, 2, 3, stFail, stFail},
    /* 2 after sign       */ {4, stFail, stFail, 3, stFail, stFail},
    /* 3 integer digits   */ {4, stEnd, stEnd, 3, stExpIfAllowed, stEnd},
    /* 4 after separator  */ {stFail, stEnd, stEnd, 5, stExpIfAllowed, stEnd},
    /* 5 fraction digits  */ {stFail, stEnd, stEnd, 5, stExpIfAllowed, stEnd},
    /* 6 after "E"        */ {stFail, stFail, 7, 8, stFail, stEnd},
    /* 7 after exp. sign  */ {stFail, stFail, stFail, 8, stFail, stEnd},
    /* 8 exponent digits  */ {stEnd, stEnd, stEnd, 8, stEnd, stEnd},
};

constexpr int MaxCollectedExponent = 4200;

TCharClass ClassifyDecimalChar(const std::string& Text, int Pos, int DecimalMode) {
  if (Pos < 1 || Pos > static_cast<int>(Text.size())) return ccOther;
  const char c = Text[Pos - 1];
  if (c == '.' && (DecimalMode == dmPoint || DecimalMode == dmPointOrComma)) return ccSeparator;
  if (c == ',' && (DecimalMode == dmComma || DecimalMode == dmPointOrComma)) return ccSeparator;
  if (c == ' ') return ccBlank;
  if (c == '+' || c == '-') return ccSign;
  if (c >= '0' && c <= '9') return ccDigit;
  if (c == 'E' || c == 'e') return ccExp;
  return ccOther;
}

}  // namespace

double ScanXmlDecimal(const std::string& Text, bool AllowExponent, int DecimalMode, int& Position) {
  if (Position < 1) Position = 1;
  std::string number;
  int state = 1;
  int exponent = 0;  // magnitude of the exponent digits collected so far
  for (;;) {
    const TCharClass cls = ClassifyDecimalChar(Text, Position, DecimalMode);
    int next = DecimalStates[state - 1][cls];
    if (next == stExpIfAllowed) next = AllowExponent ? 6 : stEnd;
    if (next == stFail) return 0;
    if (next == stEnd) break;
    const char c = Text[Position - 1];
    if (cls == ccDigit && state >= 6) {
      // Beyond this the value is infinite or zero anyway; stop collecting so
      // that a long run of digits cannot overflow the exponent.
      if (exponent <= MaxCollectedExponent) {
        exponent = exponent * 10 + (c - '0');
        number += c;
      }
    } else if (cls == ccSeparator) {
      number += '.';
    } else if (cls == ccExp) {
      number += 'E';
    } else if (cls != ccBlank) {
      number += c;
    }
    state = next;
    ++Position;
  }
  // A number may end right after its separator or its "E": "5." and "5E" read as 5.
  while (!number.empty() && (number.back() == 'E' || ((number.back() == '+' || number.back() == '-') &&
                                                       number.size() > 1 && number[number.size() - 2] == 'E')))
    number.pop_back();
  if (!number.empty() && number.back() == '.') number += '0';
  const std::size_t sep = number.find('.');
  if (sep != std::string::npos && (sep == 0 || number[sep - 1] == '-' || number[sep - 1] == '+'))
    number.insert(sep, "0");
  double value = 0;
  if (!TryStrToFloatClamped(number, value, InvariantFormatSettings) || std::isnan(value)) return 0;
  return std::clamp(value, -uc_MaxDouble, uc_MaxDouble);
}

std::string GetXmlAttribute(const std::string& Attributes, const std::string& Name) {
  enum { InName, AfterEquals, InQuoted, InUnquoted } state = InName;
  const std::string wanted = XmlLowerCase(Name);
  std::string name, value;
  bool pending = false;  // something of a pair has been read
  auto completes = [&]() {
    const bool match = XmlLowerCase(XmlTrim(name)) == wanted;
    name.clear();
    pending = false;
    state = InName;
    return match;
  };
  for (const char c : Attributes) {
    pending = true;
    switch (state) {
      case InName:
        if (c == '=') state = AfterEquals;
        else if (c == '"') return {};
        else name += c;
        break;
      case AfterEquals:
        if (c == ' ') break;
        if (c == '"') state = InQuoted;
        else if (c == '=') return {};
        else {
          value = c;
          state = InUnquoted;
        }
        break;
      case InQuoted:
        if (c == '"') {
          if (completes()) return value;
          value.clear();
        } else {
          value += c;
        }
        break;
      case InUnquoted:
        if (c == ' ' || c == '"') {
          if (completes()) return value;
          value.clear();
        } else if (c == '=') {
          return {};
        } else {
          value += c;
        }
        break;
    }
  }
  if (pending && completes()) return value;
  return {};
}

bool ReadLineFromStream(TStream* Stream, std::string& Line) {
  Line.clear();
  if (!Stream) return false;
  unsigned char byte = 0;
  while (Stream->Read(&byte, 1) == 1) {
    if (byte == 10) {
      // The LF ends the line and takes one more CR or LF before it along.
      if (!Line.empty() && (Line.back() == '\r' || Line.back() == '\n')) Line.pop_back();
      return true;
    }
    if (byte < 0x80) Line += static_cast<char>(byte);
    else Line += Cp1252CharToUtf8(byte);
  }
  return false;
}

std::string BoolToXmlText(bool Value) { return Value ? "TRUE" : "FALSE"; }

TXmlLineSource TextFileLines(TTextFile& F) {
  return [&F](std::string& Line) {
    F.ReadLn(Line);
    return !F.Eof();
  };
}

TXmlLineSource StreamLines(TStream* Stream) {
  return [Stream](std::string& Line) { return ReadLineFromStream(Stream, Line); };
}

std::string SignatureAttribute(const std::string& Line, const std::string& LowerLine, const std::string& AttrName) {
  const std::size_t at = LowerLine.find(AttrName);
  if (at == std::string::npos) return {};
  const std::size_t start = at + AttrName.size();
  const int close = ClosingQuotePos("\"", LowerLine, static_cast<int>(at) + 1, false, 2);
  if (close == 0 || static_cast<std::size_t>(close - 1) < start || static_cast<std::size_t>(close) > Line.size())
    return {};
  return XmlTrim(Line.substr(start, static_cast<std::size_t>(close - 1) - start));
}

bool FindSignatureLine(const TXmlLineSource& NextLine, const std::string& BlockTag, const std::string& DataID,
                       const TSignatureLineEvent& OnSignatureLine) {
  const std::string wanted = XmlLowerCase(DataID);
  const std::string opening = "<" + XmlLowerCase(BlockTag);
  std::string line;
  for (;;) {
    const bool more = NextLine(line);
    const std::string lower = XmlLowerCase(line);
    if (lower.find(opening) != std::string::npos && lower.find("orqcsuite") != std::string::npos) {
      const std::string id = SignatureAttribute(lower, lower, "id=\"");
      if (OnSignatureLine) OnSignatureLine(line, lower);
      if (wanted.empty() || wanted == id) return true;
    }
    if (!more) return false;
  }
}

}  // namespace orq
