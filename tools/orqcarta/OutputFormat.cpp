#include "OutputFormat.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <cmath>

#include "ErrorReport.h"

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

namespace {
std::string Checked(double Value, int Decimals) {
  if (!std::isfinite(Value)) throw EInputError("no finite result for this position");
  return FormatFixed(Value, Decimals);
}
}  // namespace

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
