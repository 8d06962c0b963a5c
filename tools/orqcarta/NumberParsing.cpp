#include "NumberParsing.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace orq::cli {

namespace {
// from_chars refuses a leading '+', which people write; strip exactly one.
std::string_view WithoutPlus(std::string_view Token) {
  if (Token.size() > 1 && Token.front() == '+' && Token[1] != '-' && Token[1] != '+') Token.remove_prefix(1);
  return Token;
}
}  // namespace

std::optional<double> ParseNumber(std::string_view Token) {
  Token = WithoutPlus(Token);
  if (Token.empty()) return std::nullopt;
  double value = 0;
  const char* end = Token.data() + Token.size();
  const auto [ptr, ec] = std::from_chars(Token.data(), end, value, std::chars_format::general);
  if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int> ParseInteger(std::string_view Token) {
  Token = WithoutPlus(Token);
  if (Token.empty()) return std::nullopt;
  int value = 0;
  const char* end = Token.data() + Token.size();
  const auto [ptr, ec] = std::from_chars(Token.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

}  // namespace orq::cli
