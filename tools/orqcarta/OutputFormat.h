// Writing numbers: fixed decimals, no locale, never "-0.000", and the
// --precision option that every conversion command shares.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace CLI {
class App;
}

namespace orq::cli {

// Value with exactly Decimals digits after the point. A value that rounds
// to zero is written without a minus sign.
std::string FormatFixed(double Value, int Decimals);
// The shortest text that reads back as the same double (for table values).
std::string FormatShortest(double Value);
// FormatFixed appended to Out, without a temporary string.
void AppendFixed(std::string& Out, double Value, int Decimals);

// Decimals of the numbers a conversion prints. Metres default to 3 (1 mm),
// degrees to 9 (about 0.1 mm); --precision sets both.
class TOutputFormat {
 public:
  static constexpr int DefaultMetreDecimals = 3;
  static constexpr int DefaultDegreeDecimals = 9;
  static constexpr int MaxDecimals = 15;

  static constexpr int DefaultSecondDecimals = 5;

  // Adds "--precision N" to a command.
  void AddOption(CLI::App& Command);
  // Adds "--dms" (degrees, minutes, seconds output) to a command.
  void AddDmsOption(CLI::App& Command);

  int MetreDecimals() const { return Precision_ >= 0 ? Precision_ : DefaultMetreDecimals; }
  int DegreeDecimals() const { return Precision_ >= 0 ? Precision_ : DefaultDegreeDecimals; }
  int SecondDecimals() const { return Precision_ >= 0 ? Precision_ : DefaultSecondDecimals; }
  void SetPrecision(int Decimals) { Precision_ = Decimals; }
  bool Dms() const { return Dms_; }
  void SetDms(bool Dms) { Dms_ = Dms; }

  // Both throw EInputError for a value that is not finite, so that a
  // conversion without a result never prints "nan".
  std::string Metres(double Value) const;
  std::string Degrees(double Value) const;

  // The same appended to Out, with a blank before unless Out ends a line.
  // Angles follow --dms: 47°22'30.50000"N, 8°30'00.00000"E (the hemisphere
  // letter instead of a sign), else decimal degrees.
  void AppendMetres(std::string& Out, double Value) const;
  void AppendLatitude(std::string& Out, double Value) const;
  void AppendLongitude(std::string& Out, double Value) const;
  // A converted position: latitude, then longitude wrapped into -180..<180.
  void AppendPosition(std::string& Out, double Latitude, double Longitude) const;

 private:
  void AppendAngle(std::string& Out, double Value, char Positive, char Negative) const;

  int Precision_ = -1;  // -1: the defaults above
  bool Dms_ = false;
};

// Fields of one output line joined by single blanks.
std::string JoinFields(std::initializer_list<std::string_view> Fields);

}  // namespace orq::cli
