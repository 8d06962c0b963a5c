#include "LineInput.h"

#include <unistd.h>

#include <istream>
#include <ostream>

#include "ErrorReport.h"
#include "NumberParsing.h"

namespace orq::cli {

namespace {
bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\v' || c == '\f'; }

// Converts one line; the error, if any, goes to Err with where it was.
bool ConvertLine(std::string_view Command, long LineNumber, std::string_view Line, std::string_view Where,
                 const TLineConverter& Convert, std::ostream& Out, std::ostream& Err) {
  try {
    const std::string result = Convert(SplitFields(Line));
    Out << result << '\n';
    return true;
  } catch (const EInputError& e) {
    if (LineNumber > 0) {
      ReportLineError(Err, Command, LineNumber, e.what(), Line);
    } else {
      ReportError(Err, Command, std::string(Where) + e.what() + ": \"" + Printable(Line) + "\"");
    }
    return false;
  }
}
}  // namespace

std::vector<std::string_view> SplitFields(std::string_view Line) {
  std::vector<std::string_view> fields;
  std::size_t i = 0;
  while (i < Line.size()) {
    while (i < Line.size() && IsSeparator(Line[i])) ++i;
    const std::size_t start = i;
    while (i < Line.size() && !IsSeparator(Line[i])) ++i;
    if (i > start) fields.push_back(Line.substr(start, i - start));
  }
  return fields;
}

bool IsPassThroughLine(std::string_view Line) {
  const std::size_t first = Line.find_first_not_of(" \t\r\v\f");
  return first == std::string_view::npos || Line[first] == '#';
}

std::vector<double> FieldsAsNumbers(std::span<const std::string_view> Fields, std::size_t MinCount,
                                    std::size_t MaxCount, std::string_view Meaning) {
  if (Fields.size() < MinCount || Fields.size() > MaxCount) {
    std::string expected = std::to_string(MinCount);
    if (MaxCount != MinCount) expected += " or " + std::to_string(MaxCount);
    throw EInputError("expected " + expected + " numbers (" + std::string(Meaning) + "), got " +
                      std::to_string(Fields.size()));
  }
  std::vector<double> numbers;
  numbers.reserve(Fields.size());
  for (std::string_view field : Fields) {
    const auto value = ParseNumber(field);
    if (!value) throw EInputError("invalid number \"" + Printable(field, 40) + "\"");
    numbers.push_back(*value);
  }
  return numbers;
}

int RunConversion(std::string_view Command, const std::vector<std::string>& Arguments, const TLineConverter& Convert,
                  std::istream& In, std::ostream& Out, std::ostream& Err) {
  if (!Arguments.empty()) {
    std::string line;
    for (const std::string& argument : Arguments) {
      if (!line.empty()) line += ' ';
      line += argument;
    }
    return ConvertLine(Command, 0, line, "arguments: ", Convert, Out, Err) ? ExitOk : ExitBadInput;
  }

  // Someone typing at a terminal wants each answer at once; pipes get
  // ordinary buffering.
  const bool interactive = isatty(STDIN_FILENO) == 1;
  bool allConverted = true;
  long lineNumber = 0;
  std::string line;
  while (std::getline(In, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (IsPassThroughLine(line)) {
      Out << line << '\n';
    } else if (!ConvertLine(Command, lineNumber, line, "", Convert, Out, Err)) {
      allConverted = false;
    }
    if (interactive) Out.flush();
  }
  return allConverted ? ExitOk : ExitBadInput;
}

}  // namespace orq::cli
