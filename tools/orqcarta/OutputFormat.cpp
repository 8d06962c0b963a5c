#include "OutputFormat.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <cmath>

#include "ErrorReport.h"
#include "PositionFields.h"
#include "orqmath/DegreeToStr.h"

namespace orq::cli {

std::string FormatFixed(double Value, int Decimals) {
  // 310 digits before the point at most for a finite double, plus sign,
  // point and up to MaxDecimals decimals.
  char buffer[400];
  const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, Value, std::chars_format::fixed, Decimals);
  if (ec != std::errc()) return std::isnan(Value) ? "nan" : "inf";
  std::string text(buffer, ptr);
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

void AppendFixed(std::string& Out, double Value, int Decimals) {
  const std::size_t start = Out.size();
  Out.resize(start + 400);
  char* const first = Out.data() + start;
  const auto [ptr, ec] = std::to_chars(first, Out.data() + Out.size(), Value, std::chars_format::fixed, Decimals);
  if (ec != std::errc()) {
    Out.resize(start);
    Out += std::isnan(Value) ? "nan" : "inf";
    return;
  }
  Out.resize(start + static_cast<std::size_t>(ptr - first));
  // "-0.000" is written as "0.000".
  if (*first == '-' && std::string_view(first + 1, ptr).find_first_not_of("0.") == std::string_view::npos)
    Out.erase(start, 1);
}

std::string FormatShortest(double Value) {
  char buffer[64];
  const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, Value);
  if (ec != std::errc()) return "nan";
  std::string text(buffer, ptr);
  if (text == "-0") text = "0";
  return text;
}

void TOutputFormat::AddOption(CLI::App& Command) {
  Command
      .add_option_function<int>(
          "--precision", [this](const int& decimals) { SetPrecision(decimals); },
          "Decimals of every number printed (default: " + std::to_string(DefaultMetreDecimals) + " for metres, " +
              std::to_string(DefaultDegreeDecimals) + " for degrees)")
      ->check(CLI::Range(0, MaxDecimals))
      ->type_name("N");
}

void TOutputFormat::AddDmsOption(CLI::App& Command) {
  Command.add_flag_function(
      "--dms", [this](std::int64_t) { Dms_ = true; },
      "Write angles as degrees, minutes and seconds with a hemisphere letter, 47°22'30.50000\"N; --precision "
      "then sets the decimals of the seconds (default " +
          std::to_string(DefaultSecondDecimals) + ")");
}

namespace {
void CheckFinite(double Value) {
  if (!std::isfinite(Value)) throw EInputError("no finite result for this position");
}

std::string Checked(double Value, int Decimals) {
  CheckFinite(Value);
  return FormatFixed(Value, Decimals);
}

void Separate(std::string& Out) {
  if (!Out.empty() && Out.back() != '\n') Out += ' ';
}
}  // namespace

void TOutputFormat::AppendMetres(std::string& Out, double Value) const {
  CheckFinite(Value);
  Separate(Out);
  AppendFixed(Out, Value, MetreDecimals());
}

void TOutputFormat::AppendLatitude(std::string& Out, double Value) const { AppendAngle(Out, Value, 'N', 'S'); }
void TOutputFormat::AppendLongitude(std::string& Out, double Value) const { AppendAngle(Out, Value, 'E', 'W'); }

void TOutputFormat::AppendPosition(std::string& Out, double Latitude, double Longitude) const {
  AppendLatitude(Out, Latitude);
  AppendLongitude(Out, WrapLongitude(Longitude));
}

void TOutputFormat::AppendAngle(std::string& Out, double Value, char Positive, char Negative) const {
  CheckFinite(Value);
  Separate(Out);
  if (!Dms_) {
    AppendFixed(Out, Value, DegreeDecimals());
    return;
  }
  const int decimals = SecondDecimals();
  // DegreeToStr drops trailing zeros of whole seconds only when asked for
  // its default; whole seconds are rounded here first so that it shows none.
  std::string text = decimals == 0 ? DegreeToStr(std::round(Value * 3600) / 3600, dfDegMinSec, 0)
                                   : DegreeToStr(Value, dfDegMinSec, decimals);
  char hemisphere = Positive;
  if (!text.empty() && text.front() == '-') {
    text.erase(0, 1);
    hemisphere = Negative;
  }
  Out += text;
  Out += hemisphere;
}

std::string TOutputFormat::Metres(double Value) const { return Checked(Value, MetreDecimals()); }
std::string TOutputFormat::Degrees(double Value) const { return Checked(Value, DegreeDecimals()); }

std::string JoinFields(std::initializer_list<std::string_view> Fields) {
  std::string line;
  for (std::string_view field : Fields) {
    if (!line.empty()) line += ' ';
    line += field;
  }
  return line;
}

}  // namespace orq::cli
