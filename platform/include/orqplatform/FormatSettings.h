// Number <-> text conversion with a settable decimal separator.
//
// FormatSettings is the process's current setting; the XML writers ask for
// "." explicitly where a file format fixes it, and use the current separator
// where the format follows the settings. Every conversion here is independent
// of the C locale.
#pragma once

#include <cstdint>
#include <string>

namespace orq {

struct TFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
};

// The current settings; changing DecimalSeparator changes what FloatToStr,
// FloatToStrF and StrToFloat without an explicit settings argument use.
extern TFormatSettings FormatSettings;
// Settings with "." as decimal separator, for fixed file formats.
inline constexpr TFormatSettings InvariantFormatSettings{'.', ','};

enum TFloatFormat : int {
  // Shortest form with at most Precision significant digits, trailing zeros
  // dropped; exponent form ("1.5E20", "1E-6") only when the value has more
  // than Precision integer digits or is below 0.00001 in magnitude.
  ffGeneral,
  // "d.dddE+xxx": Precision significant digits, at least Digits (0..4)
  // exponent digits.
  ffExponent,
  // Exactly Digits (0..20) digits after the separator, all integer digits
  // written out (never an exponent, whatever the magnitude), "-" only when
  // the rounded value is not zero. Precision is not used.
  ffFixed,
};

// Precision is limited to 1..17. Rounding is to the nearest, ties of the
// exact binary value to even. Non-finite values give "NAN", "INF" and "-INF"
// in every format.
std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits,
                        const TFormatSettings& Settings);
std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits);
// General format with 15 significant digits.
std::string FloatToStr(double Value, const TFormatSettings& Settings);
std::string FloatToStr(double Value);
// Fixed format: FloatToFixed(47.5, 5) is "47.50000".
std::string FloatToFixed(double Value, int Digits, char DecimalSeparator = '.');

std::string IntToStr(int64_t Value);

// Text to number. Blanks around the number are allowed; the decimal
// separator is that of the settings, an exponent ("E"/"e", optional sign) is
// allowed. Magnitudes beyond the double range fail, except that a value
// above it only by the rounding of its last digits (the largest double
// written with 15 digits) reads as the largest double; values too small for
// the range read as 0. "INF" and "NAN" are not numbers here.
bool TryStrToFloat(const std::string& Text, double& Value, const TFormatSettings& Settings);
bool TryStrToFloat(const std::string& Text, double& Value);
// The same, except that any magnitude beyond the double range reads as the
// largest double of that sign (for readers whose format clamps, "1E4000").
bool TryStrToFloatClamped(const std::string& Text, double& Value, const TFormatSettings& Settings);
// Raises EConvertError ("'x' is not a valid floating point value").
double StrToFloat(const std::string& Text, const TFormatSettings& Settings);
double StrToFloat(const std::string& Text);

// Optional sign and decimal digits, blanks around allowed; values outside the
// 32-bit range fail.
bool TryStrToInt(const std::string& Text, int32_t& Value);
// Raises EConvertError ("'x' is not a valid integer value").
int32_t StrToInt(const std::string& Text);
int32_t StrToIntDef(const std::string& Text, int32_t Default);

}  // namespace orq
