// Strict, locale-independent reading of numbers typed by people or written
// by other programs.
#pragma once

#include <optional>
#include <string_view>

namespace orq::cli {

// The whole token as a finite decimal number ("52.5", "-0.1262", "+3",
// "6.378e6"). Rejects empty text, trailing characters, hexadecimal, "inf",
// "nan" and values outside the double range ("1e999").
std::optional<double> ParseNumber(std::string_view Token);

// The whole token as a decimal integer that fits an int.
std::optional<int> ParseInteger(std::string_view Token);

}  // namespace orq::cli
