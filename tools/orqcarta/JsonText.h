// Writing JSON: strings with the escapes the format requires, objects
// built field by field.
#pragma once

#include <string>
#include <string_view>

namespace orq::cli {

// Text as a JSON string, quotes included; bytes >= 0x80 pass unchanged
// (the tables are UTF-8).
std::string JsonString(std::string_view Text);

// One JSON object, written as fields are added.
class TJsonObject {
 public:
  TJsonObject& Text(std::string_view Key, std::string_view Value);
  // Value must already be a JSON number, array or literal.
  TJsonObject& Raw(std::string_view Key, std::string_view Value);
  TJsonObject& Number(std::string_view Key, double Value);
  TJsonObject& Integer(std::string_view Key, long long Value);
  std::string str() const { return Body_ + "}"; }

 private:
  void Key(std::string_view Key);
  std::string Body_ = "{";
};

}  // namespace orq::cli
