// How the tool reports failures: one line on standard error, a fixed set of
// exit codes, and an exception type for bad input inside a command.
#pragma once

#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orq::cli {

// Exit codes of every command.
inline constexpr int ExitOk = 0;
inline constexpr int ExitBadInput = 1;  // at least one input line or argument could not be converted
inline constexpr int ExitUsage = 2;     // wrong options or option values
inline constexpr int ExitFailure = 3;   // anything else (output error, out of memory ...)

// Raised while converting one input line; the message says what is wrong
// with it, the caller adds where.
class EInputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Raised for an unusable option value found after parsing (an unknown datum,
// an ambiguous name ...). The message may span several lines.
class EUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Text safe to echo in a one-line message: control characters become '?',
// and long texts are cut to MaxLength bytes followed by "...".
std::string Printable(std::string_view Text, std::size_t MaxLength = 80);

// "orqcarta <command>: <message>"
void ReportError(std::ostream& Err, std::string_view Command, std::string_view Message);
// "orqcarta <command>: line <n>: <message>: "<text>""
void ReportLineError(std::ostream& Err, std::string_view Command, long LineNumber, std::string_view Message,
                     std::string_view Text);

// Runs Action and turns what escapes it into a report under Command and an
// exit code: EUsageError -> ExitUsage, anything else -> ExitFailure. For
// nested commands ("calib show"), whose full name the shared wrapper lacks.
int RunReported(std::ostream& Err, std::string_view Command, const std::function<int()>& Action);

}  // namespace orq::cli
