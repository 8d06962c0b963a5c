// Reading positions: splitting lines into fields, and the loop that feeds
// every line of a stream (or the command's arguments) to a converter.
#pragma once

#include <functional>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
}

namespace orq::cli {

// Fields separated by blanks, tabs and/or commas; empty fields vanish.
std::vector<std::string_view> SplitFields(std::string_view Line);
// The same into Fields, which keeps its capacity from line to line.
void SplitFields(std::string_view Line, std::vector<std::string_view>& Fields);

// Empty, blank and comment (#) lines are copied to the output unchanged.
bool IsPassThroughLine(std::string_view Line);

// EInputError unless Fields has MinCount..MaxCount fields.
void CheckFieldCount(std::span<const std::string_view> Fields, std::size_t MinCount, std::size_t MaxCount,
                     std::string_view Meaning);

// MinCount..MaxCount numbers, or EInputError saying what was expected.
std::vector<double> FieldsAsNumbers(std::span<const std::string_view> Fields, std::size_t MinCount,
                                    std::size_t MaxCount, std::string_view Meaning);
// The same into Values (room for MaxCount); returns how many were read.
std::size_t ReadNumbers(std::span<const std::string_view> Fields, std::size_t MinCount, std::size_t MaxCount,
                        std::string_view Meaning, double* Values);

// Converts one position (its fields, which it may reorder or shorten) and
// appends the output line without its newline to Out; throws EInputError
// for bad input, and then whatever it appended is taken back.
using TLineConverter = std::function<void(std::vector<std::string_view>& Fields, std::string& Out)>;

// What takes the place of a line that could not be converted, so that the
// output stays line for line with the input.
struct TErrorLines {
  enum TMode { Placeholder, Skip, Mark };
  TMode Mode = Placeholder;
  std::string Text = "ERROR";

  // Adds "--on-error skip|mark|TEXT" to a command.
  void AddOption(CLI::App& Command);
};

// With Arguments, converts them as one line (so "52.5 13.4" and "52.5,13.4"
// both work; no placeholder is written for them); otherwise converts every
// line of In, read and written in large blocks. Each bad line is reported
// on Err with its number and replaced as OnError says, and the rest is still
// converted. Returns ExitOk, or ExitBadInput when any line failed.
int RunConversion(std::string_view Command, const std::vector<std::string>& Arguments, const TLineConverter& Convert,
                  std::istream& In, std::ostream& Out, std::ostream& Err, const TErrorLines& OnError = {});

}  // namespace orq::cli
