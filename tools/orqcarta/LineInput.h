// The line-oriented driver shared by the conversion commands: one position
// from the command line, or one position per line of standard input.
#pragma once

#include <functional>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orq::cli {

// Fields of one position: separated by blanks, tabs and/or commas
// ("52.5 13.4", "52.5,13.4", "52.5, 13.4").
std::vector<std::string_view> SplitFields(std::string_view Line);

// True for lines that pass through unchanged: empty or blank lines and
// comments (first non-blank character '#').
bool IsPassThroughLine(std::string_view Line);

// Fields as numbers: between MinCount and MaxCount of them, all valid.
// Throws EInputError naming the first bad field, or the count expected
// ("expected 2 numbers (latitude longitude), got 3").
std::vector<double> FieldsAsNumbers(std::span<const std::string_view> Fields, std::size_t MinCount,
                                    std::size_t MaxCount, std::string_view Meaning);

// Converts one position (its fields) to one output line; throws
// EInputError for bad input.
using TLineConverter = std::function<std::string(const std::vector<std::string_view>& Fields)>;

// With Arguments, converts them as one line (so "52.5 13.4" and "52.5,13.4"
// both work); otherwise converts every line of In. Each bad line is
// reported on Err with its number, and the rest is still converted.
// Returns ExitOk, or ExitBadInput when any line failed.
int RunConversion(std::string_view Command, const std::vector<std::string>& Arguments, const TLineConverter& Convert,
                  std::istream& In, std::ostream& Out, std::ostream& Err);

}  // namespace orq::cli
