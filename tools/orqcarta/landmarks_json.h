// A small, strict JSON reader and the quoting the writers need: enough for
// GeoJSON point files, with no dependency beyond the standard library.
//
// The reader takes RFC 8259 JSON text in UTF-8 and nothing else: no comments,
// no trailing commas, no single quotes, no NaN; strings must be valid UTF-8
// and may not hold raw control characters; "\u" escapes must pair their
// surrogates; a key may occur only once in an object. A UTF-8 byte order mark
// at the start is skipped. Nesting deeper than MaxJsonDepth is refused, so a
// hostile file cannot exhaust the stack.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orq::cli {

inline constexpr int MaxJsonDepth = 200;

// Raised for text that is not JSON; the message gives the line and column.
class EJsonError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum TJsonKind : int { jkNull, jkBoolean, jkNumber, jkString, jkArray, jkObject };

struct TJsonMember;

struct TJsonValue {
  TJsonKind Kind = jkNull;
  bool Boolean = false;
  double Number = 0;
  std::string Text;  // a string's value, or a number as written
  std::vector<TJsonValue> Items;                             // array elements
  std::vector<TJsonMember> Members;  // object members, in file order

  // The member Key of an object; nullptr when there is none (or this is no object).
  const TJsonValue* Find(std::string_view Key) const;
};

struct TJsonMember {
  std::string Name;
  TJsonValue Value;
};

// Parses a whole JSON text; anything but white space after the value is an error.
TJsonValue ParseJson(std::string_view Text);

// Text as a JSON string literal, quotes included: '"', '\' and control
// characters escaped, other characters kept as UTF-8; a byte that is not part
// of valid UTF-8 becomes U+FFFD, so the output is always valid JSON.
std::string JsonQuote(std::string_view Text);

}  // namespace orq::cli
