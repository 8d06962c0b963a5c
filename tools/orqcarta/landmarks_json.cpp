#include "landmarks_json.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace orq::cli {

namespace {

void AppendUtf8(std::string& Out, uint32_t Code) {
  if (Code < 0x80) {
    Out += static_cast<char>(Code);
  } else if (Code < 0x800) {
    Out += static_cast<char>(0xC0 | (Code >> 6));
    Out += static_cast<char>(0x80 | (Code & 0x3F));
  } else if (Code < 0x10000) {
    Out += static_cast<char>(0xE0 | (Code >> 12));
    Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Code & 0x3F));
  } else {
    Out += static_cast<char>(0xF0 | (Code >> 18));
    Out += static_cast<char>(0x80 | ((Code >> 12) & 0x3F));
    Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Code & 0x3F));
  }
}

// Length of the well-formed UTF-8 sequence at Text[Pos] (no overlong forms,
// no surrogates, nothing above U+10FFFF); 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view Text, std::size_t Pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(Text[i]); };
  const unsigned char b0 = byte(Pos);
  if (b0 < 0x80) return 1;
  std::size_t len;
  unsigned char lo = 0x80, hi = 0xBF;
  if (b0 >= 0xC2 && b0 <= 0xDF) len = 2;
  else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3;
    if (b0 == 0xE0) lo = 0xA0;
    if (b0 == 0xED) hi = 0x9F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4;
    if (b0 == 0xF0) lo = 0x90;
    if (b0 == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (Pos + len > Text.size()) return 0;
  const unsigned char b1 = byte(Pos + 1);
  if (b1 < lo || b1 > hi) return 0;
  for (std::size_t i = 2; i < len; ++i)
    if ((byte(Pos + i) & 0xC0) != 0x80) return 0;
  return len;
}

// The power of ten of the leading digit of a JSON number ("123" 2,
// "0.05" -2, "1e400" 400), for telling overflow from underflow.
long DecimalOrder(std::string_view Number) {
  long exponent = 0;
  const std::size_t e = Number.find_first_of("eE");
  if (e != std::string_view::npos) {
    std::string_view digits = Number.substr(e + 1);
    const bool negative = !digits.empty() && digits[0] == '-';
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) digits.remove_prefix(1);
    for (char c : digits) exponent = std::min(exponent * 10 + (c - '0'), 100000000L);
    if (negative) exponent = -exponent;
    Number = Number.substr(0, e);
  }
  if (!Number.empty() && Number[0] == '-') Number.remove_prefix(1);
  const std::size_t point = Number.find('.');
  const long intLength = static_cast<long>(point == std::string_view::npos ? Number.size() : point);
  long index = 0;  // of the first non-zero digit among all digits
  for (char c : Number) {
    if (c == '.') continue;
    if (c != '0') return intLength - index - 1 + exponent;
    ++index;
  }
  return 0;
}

class TJsonParser {
 public:
  explicit TJsonParser(std::string_view Text) : FText(Text) {}

  TJsonValue ParseDocument() {
    if (FText.substr(0, 3) == "\xEF\xBB\xBF") FPos = 3;
    SkipBlanks();
    TJsonValue value = ParseValue(0);
    SkipBlanks();
    if (FPos != FText.size()) Fail("unexpected text after the JSON value");
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string& What) const {
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i < FPos && i < FText.size(); ++i) {
      if (FText[i] == '\n') {
        ++line;
        column = 1;
      } else if ((static_cast<unsigned char>(FText[i]) & 0xC0) != 0x80) {
        ++column;
      }
    }
    throw EJsonError("JSON line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + What);
  }

  bool AtEnd() const { return FPos >= FText.size(); }
  char Peek() const { return AtEnd() ? '\0' : FText[FPos]; }

  void SkipBlanks() {
    while (!AtEnd() && (FText[FPos] == ' ' || FText[FPos] == '\t' || FText[FPos] == '\n' || FText[FPos] == '\r'))
      ++FPos;
  }

  void Expect(char Ch) {
    if (Peek() != Ch || AtEnd()) Fail(std::string("expected '") + Ch + "'");
    ++FPos;
  }

  void ExpectWord(std::string_view Word) {
    if (FText.substr(FPos, Word.size()) != Word) Fail("unexpected character");
    FPos += Word.size();
  }

  TJsonValue ParseValue(int Depth) {
    if (AtEnd()) Fail("unexpected end of the text");
    TJsonValue value;
    switch (Peek()) {
      case '{': ParseObject(value, Depth + 1); break;
      case '[': ParseArray(value, Depth + 1); break;
      case '"':
        value.Kind = jkString;
        value.Text = ParseString();
        break;
      case 't':
        ExpectWord("true");
        value.Kind = jkBoolean;
        value.Boolean = true;
        break;
      case 'f':
        ExpectWord("false");
        value.Kind = jkBoolean;
        break;
      case 'n': ExpectWord("null"); break;
      default: ParseNumber(value); break;
    }
    return value;
  }

  void CheckDepth(int Depth) {
    if (Depth > MaxJsonDepth) Fail("nesting deeper than " + std::to_string(MaxJsonDepth) + " levels");
  }

  void ParseObject(TJsonValue& Value, int Depth) {
    CheckDepth(Depth);
    Value.Kind = jkObject;
    ++FPos;
    SkipBlanks();
    if (Peek() == '}' && !AtEnd()) {
      ++FPos;
      return;
    }
    for (;;) {
      SkipBlanks();
      if (Peek() != '"' || AtEnd()) Fail("expected a member name in quotes");
      const std::size_t keyPos = FPos;
      std::string key = ParseString();
      if (Value.Find(key) != nullptr) {
        FPos = keyPos;
        Fail("member \"" + key + "\" occurs twice");
      }
      SkipBlanks();
      Expect(':');
      SkipBlanks();
      TJsonValue member = ParseValue(Depth);
      Value.Members.push_back(TJsonMember{std::move(key), std::move(member)});
      SkipBlanks();
      if (Peek() == ',' && !AtEnd()) {
        ++FPos;
        continue;
      }
      Expect('}');
      return;
    }
  }

  void ParseArray(TJsonValue& Value, int Depth) {
    CheckDepth(Depth);
    Value.Kind = jkArray;
    ++FPos;
    SkipBlanks();
    if (Peek() == ']' && !AtEnd()) {
      ++FPos;
      return;
    }
    for (;;) {
      SkipBlanks();
      Value.Items.push_back(ParseValue(Depth));
      SkipBlanks();
      if (Peek() == ',' && !AtEnd()) {
        ++FPos;
        continue;
      }
      Expect(']');
      return;
    }
  }

  void ParseNumber(TJsonValue& Value) {
    const std::size_t start = FPos;
    auto digits = [&] {
      const std::size_t from = FPos;
      while (!AtEnd() && FText[FPos] >= '0' && FText[FPos] <= '9') ++FPos;
      return FPos - from;
    };
    if (Peek() == '-') ++FPos;
    if (Peek() == '0' && !AtEnd()) {
      ++FPos;
    } else if (digits() == 0) {
      FPos = start;
      Fail("unexpected character");
    }
    if (Peek() == '.' && !AtEnd()) {
      ++FPos;
      if (digits() == 0) Fail("expected a digit after the decimal point");
    }
    if (!AtEnd() && (Peek() == 'e' || Peek() == 'E')) {
      ++FPos;
      if (Peek() == '+' || Peek() == '-') ++FPos;
      if (digits() == 0) Fail("expected a digit in the exponent");
    }
    Value.Kind = jkNumber;
    Value.Text = std::string(FText.substr(start, FPos - start));
    const auto [ptr, ec] = std::from_chars(Value.Text.data(), Value.Text.data() + Value.Text.size(), Value.Number);
    if (ec == std::errc::result_out_of_range) {
      // Underflow reads as zero; overflow has no value.
      if (DecimalOrder(Value.Text) > 0) {
        FPos = start;
        Fail("number out of range");
      }
      Value.Number = 0;
    } else if (ec != std::errc() || ptr != Value.Text.data() + Value.Text.size()) {
      FPos = start;
      Fail("invalid number");
    }
  }

  uint32_t Hex4() {
    if (FPos + 4 > FText.size()) Fail("incomplete \\u escape");
    uint32_t code = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = FText[FPos++];
      code <<= 4;
      if (c >= '0' && c <= '9') code |= static_cast<uint32_t>(c - '0');
      else if (c >= 'a' && c <= 'f') code |= static_cast<uint32_t>(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F') code |= static_cast<uint32_t>(c - 'A' + 10);
      else {
        --FPos;
        Fail("invalid \\u escape");
      }
    }
    return code;
  }

  std::string ParseString() {
    ++FPos;  // the opening quote
    std::string out;
    for (;;) {
      if (AtEnd()) Fail("unterminated string");
      const unsigned char c = static_cast<unsigned char>(FText[FPos]);
      if (c == '"') {
        ++FPos;
        return out;
      }
      if (c < 0x20) Fail("control character in a string");
      if (c == '\\') {
        ++FPos;
        if (AtEnd()) Fail("unterminated string");
        const char e = FText[FPos++];
        switch (e) {
          case '"': out += '"'; break;
          case '\\': out += '\\'; break;
          case '/': out += '/'; break;
          case 'b': out += '\b'; break;
          case 'f': out += '\f'; break;
          case 'n': out += '\n'; break;
          case 'r': out += '\r'; break;
          case 't': out += '\t'; break;
          case 'u': {
            uint32_t code = Hex4();
            if (code >= 0xDC00 && code <= 0xDFFF) Fail("unpaired surrogate in a \\u escape");
            if (code >= 0xD800 && code <= 0xDBFF) {
              if (FText.substr(FPos, 2) != "\\u") Fail("unpaired surrogate in a \\u escape");
              FPos += 2;
              const uint32_t low = Hex4();
              if (low < 0xDC00 || low > 0xDFFF) Fail("unpaired surrogate in a \\u escape");
              code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            }
            AppendUtf8(out, code);
            break;
          }
          default:
            --FPos;
            Fail("invalid escape in a string");
        }
        continue;
      }
      const std::size_t len = Utf8SequenceLength(FText, FPos);
      if (len == 0) Fail("invalid UTF-8 in a string");
      out.append(FText.substr(FPos, len));
      FPos += len;
    }
  }

  std::string_view FText;
  std::size_t FPos = 0;
};

}  // namespace

const TJsonValue* TJsonValue::Find(std::string_view Key) const {
  if (Kind != jkObject) return nullptr;
  for (const TJsonMember& m : Members)
    if (m.Name == Key) return &m.Value;
  return nullptr;
}

TJsonValue ParseJson(std::string_view Text) { return TJsonParser(Text).ParseDocument(); }

std::string JsonQuote(std::string_view Text) {
  static const char* const HexDigits = "0123456789abcdef";
  std::string out = "\"";
  for (std::size_t i = 0; i < Text.size();) {
    const unsigned char c = static_cast<unsigned char>(Text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
      ++i;
    } else if (c < 0x20) {
      switch (c) {
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
          out += "\\u00";
          out += HexDigits[c >> 4];
          out += HexDigits[c & 0xF];
      }
      ++i;
    } else {
      const std::size_t len = Utf8SequenceLength(Text, i);
      if (len == 0) {
        out += "\xEF\xBF\xBD";
        ++i;
      } else {
        out.append(Text.substr(i, len));
        i += len;
      }
    }
  }
  out += '"';
  return out;
}

}  // namespace orq::cli
