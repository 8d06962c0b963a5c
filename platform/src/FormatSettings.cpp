#include "orqplatform/FormatSettings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "orqplatform/Exceptions.h"

namespace orq {

TFormatSettings FormatSettings;

namespace {

std::string NonFinite(double Value) {
  if (std::isnan(Value)) return "NAN";
  return Value < 0 ? "-INF" : "INF";
}

// Significant digits (without trailing zeros) and decimal exponent of Value
// rounded to Precision significant digits: Value ~ 0.d1d2... * 10^(Exp+1).
void Decompose(double Value, int Precision, std::string& Digits, int& Exp) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(Value), std::chars_format::scientific, Precision - 1);
  const std::string text(buf, res.ptr);
  const std::size_t e = text.find('e');
  Digits.clear();
  for (std::size_t i = 0; i < e; ++i)
    if (text[i] != '.') Digits += text[i];
  Exp = std::stoi(text.substr(e + 1));
  while (Digits.size() > 1 && Digits.back() == '0') Digits.pop_back();
}

std::string General(double Value, int Precision, char Sep) {
  if (Value == 0) return "0";
  std::string digits;
  int exp = 0;
  Decompose(Value, Precision, digits, exp);
  std::string out = Value < 0 ? "-" : "";
  if (exp >= Precision || exp < -5) {
    out += digits[0];
    if (digits.size() > 1) out += Sep + digits.substr(1);
    out += 'E' + std::to_string(exp);
    return out;
  }
  if (exp < 0) {
    out += '0';
    out += Sep;
    out.append(static_cast<std::size_t>(-exp - 1), '0');
    out += digits;
    return out;
  }
  const std::size_t int_digits = static_cast<std::size_t>(exp) + 1;
  if (digits.size() <= int_digits) {
    out += digits;
    out.append(int_digits - digits.size(), '0');
  } else {
    out += digits.substr(0, int_digits);
    out += Sep;
    out += digits.substr(int_digits);
  }
  return out;
}

std::string Exponent(double Value, int Precision, int ExpDigits, char Sep) {
  std::string digits;
  int exp = 0;
  if (Value == 0) {
    digits = "0";
  } else {
    Decompose(Value, Precision, digits, exp);
  }
  digits.resize(static_cast<std::size_t>(Precision), '0');
  std::string out = Value < 0 ? "-" : "";
  out += digits[0];
  if (Precision > 1) out += Sep + digits.substr(1);
  std::string e = std::to_string(std::abs(exp));
  if (static_cast<int>(e.size()) < ExpDigits) e.insert(0, static_cast<std::size_t>(ExpDigits) - e.size(), '0');
  out += 'E';
  out += exp < 0 ? '-' : '+';
  return out + e;
}

std::string Fixed(double Value, int Digits, char Sep) {
  char buf[400];
  auto res = std::to_chars(buf, buf + sizeof buf, Value, std::chars_format::fixed, Digits);
  std::string out(buf, res.ptr);
  // A value that rounds to zero carries no sign.
  if (out[0] == '-' && out.find_first_not_of("-0.") == std::string::npos) out.erase(0, 1);
  if (Sep != '.') std::replace(out.begin(), out.end(), '.', Sep);
  return out;
}

std::string Trim(const std::string& Text) {
  const std::size_t b = Text.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  return Text.substr(b, Text.find_last_not_of(' ') - b + 1);
}

// Decimal exponent of the leading significant digit of a plain number text
// ("123.4" -> 2, "0.01" -> -2, "1e300" -> 300); used only to tell overflow
// from underflow.
long LeadingExponent(const std::string& Text) {
  long exp = 0;
  const std::size_t e = Text.find_first_of("eE");
  if (e != std::string::npos) exp = std::strtol(Text.c_str() + e + 1, nullptr, 10);
  const std::string mant = Text.substr(0, e);
  const std::size_t dot = std::min(mant.find('.'), mant.size());
  const std::size_t first = mant.find_first_of("123456789");
  if (first == std::string::npos) return std::numeric_limits<long>::min();
  return exp + (first < dot ? static_cast<long>(dot - first) - 1 : -static_cast<long>(first - dot));
}

}  // namespace

std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits,
                        const TFormatSettings& Settings) {
  if (!std::isfinite(Value)) return NonFinite(Value);
  Precision = std::clamp(Precision, 1, 17);
  switch (Format) {
    case ffGeneral:
      return General(Value, Precision, Settings.DecimalSeparator);
    case ffExponent:
      return Exponent(Value, Precision, std::clamp(Digits, 0, 4), Settings.DecimalSeparator);
    case ffFixed:
    default:
      return Fixed(Value, std::clamp(Digits, 0, 20), Settings.DecimalSeparator);
  }
}

std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits) {
  return FloatToStrF(Value, Format, Precision, Digits, FormatSettings);
}

std::string FloatToStr(double Value, const TFormatSettings& Settings) {
  return FloatToStrF(Value, ffGeneral, 15, 0, Settings);
}

std::string FloatToStr(double Value) { return FloatToStr(Value, FormatSettings); }

std::string FloatToFixed(double Value, int Digits, char DecimalSeparator) {
  return FloatToStrF(Value, ffFixed, 15, Digits, TFormatSettings{DecimalSeparator, ','});
}

std::string IntToStr(int64_t Value) { return std::to_string(Value); }

namespace {

bool ParseFloat(const std::string& Text, double& Value, const TFormatSettings& Settings, bool ClampOverflow) {
  std::string t = Trim(Text);
  if (!t.empty() && t[0] == '+') {
    t.erase(0, 1);
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) return false;
  }
  if (t.empty()) return false;
  // Only digits, signs, exponent letters and the separator of the settings.
  for (char& c : t) {
    if (c == Settings.DecimalSeparator)
      c = '.';
    else if (!((c >= '0' && c <= '9') || c == '-' || c == '+' || c == 'e' || c == 'E'))
      return false;
  }
  double v = 0;
  auto res = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
  if (res.ptr != t.data() + t.size()) return false;
  if (res.ec == std::errc::result_out_of_range) {
    const long exp = LeadingExponent(t);
    // 1.79769313486232E308, the largest double written with 15 digits, lies
    // just above it: such a value reads as the largest double.
    if (exp == 308 || (exp > 0 && ClampOverflow))
      v = t[0] == '-' ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    else if (exp > 0)
      return false;
    else
      v = 0;
  } else if (res.ec != std::errc()) {
    return false;
  }
  Value = v;
  return true;
}

}  // namespace

bool TryStrToFloat(const std::string& Text, double& Value, const TFormatSettings& Settings) {
  return ParseFloat(Text, Value, Settings, false);
}

bool TryStrToFloatClamped(const std::string& Text, double& Value, const TFormatSettings& Settings) {
  return ParseFloat(Text, Value, Settings, true);
}

bool TryStrToFloat(const std::string& Text, double& Value) { return TryStrToFloat(Text, Value, FormatSettings); }

double StrToFloat(const std::string& Text, const TFormatSettings& Settings) {
  double v = 0;
  if (!TryStrToFloat(Text, v, Settings)) throw EConvertError("'" + Text + "' is not a valid floating point value");
  return v;
}

double StrToFloat(const std::string& Text) { return StrToFloat(Text, FormatSettings); }

bool TryStrToInt(const std::string& Text, int32_t& Value) {
  std::string t = Trim(Text);
  if (!t.empty() && t[0] == '+') {
    t.erase(0, 1);
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) return false;
  }
  if (t.empty()) return false;
  int32_t v = 0;
  auto res = std::from_chars(t.data(), t.data() + t.size(), v, 10);
  if (res.ec != std::errc() || res.ptr != t.data() + t.size()) return false;
  Value = v;
  return true;
}

int32_t StrToInt(const std::string& Text) {
  int32_t v = 0;
  if (!TryStrToInt(Text, v)) throw EConvertError("'" + Text + "' is not a valid integer value");
  return v;
}

int32_t StrToIntDef(const std::string& Text, int32_t Default) {
  int32_t v = 0;
  return TryStrToInt(Text, v) ? v : Default;
}

}  // namespace orq
