#include "JsonText.h"

#include <cstdio>

#include "OutputFormat.h"

namespace orq::cli {

std::string JsonString(std::string_view Text) {
  std::string out = "\"";
  for (char c : Text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", u);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

void TJsonObject::Key(std::string_view Key) {
  if (Body_.size() > 1) Body_ += ',';
  Body_ += JsonString(Key);
  Body_ += ':';
}

TJsonObject& TJsonObject::Text(std::string_view Key, std::string_view Value) {
  this->Key(Key);
  Body_ += JsonString(Value);
  return *this;
}

TJsonObject& TJsonObject::Raw(std::string_view Key, std::string_view Value) {
  this->Key(Key);
  Body_ += Value;
  return *this;
}

TJsonObject& TJsonObject::Number(std::string_view Key, double Value) { return Raw(Key, FormatShortest(Value)); }
TJsonObject& TJsonObject::Integer(std::string_view Key, long long Value) { return Raw(Key, std::to_string(Value)); }

}  // namespace orq::cli
