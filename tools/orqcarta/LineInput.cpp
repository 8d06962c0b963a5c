#include "LineInput.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstring>
#include <istream>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "ErrorReport.h"
#include "NumberParsing.h"

namespace orq::cli {

namespace {
bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\v' || c == '\f'; }

// Blocks of this size keep the system calls out of the per-line cost.
constexpr std::size_t BlockSize = 1 << 20;

// Converts the lines of one run and collects the output in one block.
class TLineLoop {
 public:
  TLineLoop(std::string_view Command, const TLineConverter& Convert, std::ostream& Out, std::ostream& Err,
            const TErrorLines& OnError)
      : Command_(Command), Convert_(Convert), Out_(Out), Err_(Err), OnError_(OnError) {
    Buffer_.reserve(BlockSize + 4096);
  }

  // Line without its '\n'; a trailing '\r' is dropped.
  void Line(std::string_view Text) {
    ++LineNumber_;
    if (!Text.empty() && Text.back() == '\r') Text.remove_suffix(1);
    if (IsPassThroughLine(Text)) {
      Buffer_.append(Text);
      Buffer_ += '\n';
    } else {
      const std::size_t start = Buffer_.size();
      try {
        SplitFields(Text, Fields_);
        Convert_(Fields_, Buffer_);
        Buffer_ += '\n';
      } catch (const EInputError& e) {
        Buffer_.resize(start);
        Failed(e.what(), Text);
      }
    }
    if (Buffer_.size() >= BlockSize) Flush();
  }

  void Flush() {
    Out_.write(Buffer_.data(), static_cast<std::streamsize>(Buffer_.size()));
    Buffer_.clear();
  }

  bool AllConverted() const { return AllConverted_; }

 private:
  void Failed(std::string_view Message, std::string_view Text) {
    AllConverted_ = false;
    // One write a message: the error stream is unbuffered.
    std::ostringstream line;
    ReportLineError(line, Command_, LineNumber_, Message, Text);
    Err_ << line.str();
    switch (OnError_.Mode) {
      case TErrorLines::Skip:
        return;
      case TErrorLines::Mark:
        // A comment line: later commands in a pipe copy it unchanged.
        Buffer_.append("# ERROR line ").append(std::to_string(LineNumber_)).append(": ").append(Printable(Message));
        break;
      case TErrorLines::Placeholder:
        Buffer_.append(OnError_.Text);
        break;
    }
    Buffer_ += '\n';
  }

  std::string_view Command_;
  const TLineConverter& Convert_;
  std::ostream& Out_;
  std::ostream& Err_;
  const TErrorLines& OnError_;
  std::string Buffer_;
  std::vector<std::string_view> Fields_;
  long LineNumber_ = 0;
  bool AllConverted_ = true;
};

// Reads In in blocks and hands each complete line to Loop; a last line
// without '\n' counts as a line.
void ReadBlocks(std::istream& In, TLineLoop& Loop) {
  std::string block(BlockSize, '\0');
  std::size_t kept = 0;  // start of the block holds an incomplete line
  while (true) {
    if (kept == block.size()) block.resize(block.size() * 2);  // a line longer than the block
    In.read(block.data() + kept, static_cast<std::streamsize>(block.size() - kept));
    const std::size_t filled = kept + static_cast<std::size_t>(In.gcount());
    if (filled == kept) break;
    std::string_view data(block.data(), filled);
    std::size_t start = 0;
    for (std::size_t end; (end = data.find('\n', start)) != std::string_view::npos; start = end + 1)
      Loop.Line(data.substr(start, end - start));
    kept = filled - start;
    if (start > 0 && kept > 0) std::memmove(block.data(), block.data() + start, kept);
    if (!In) break;
  }
  if (kept > 0) Loop.Line(std::string_view(block.data(), kept));
}
}  // namespace

void SplitFields(std::string_view Line, std::vector<std::string_view>& Fields) {
  Fields.clear();
  const char* p = Line.data();
  const char* const end = p + Line.size();
  while (p < end) {
    while (p < end && IsSeparator(*p)) ++p;
    const char* start = p;
    while (p < end && !IsSeparator(*p)) ++p;
    if (p > start) Fields.emplace_back(start, static_cast<std::size_t>(p - start));
  }
}

std::vector<std::string_view> SplitFields(std::string_view Line) {
  std::vector<std::string_view> fields;
  SplitFields(Line, fields);
  return fields;
}

bool IsPassThroughLine(std::string_view Line) {
  const std::size_t first = Line.find_first_not_of(" \t\r\v\f");
  return first == std::string_view::npos || Line[first] == '#';
}

void CheckFieldCount(std::span<const std::string_view> Fields, std::size_t MinCount, std::size_t MaxCount,
                     std::string_view Meaning) {
  if (Fields.size() < MinCount || Fields.size() > MaxCount) {
    std::string expected = std::to_string(MinCount);
    if (MaxCount != MinCount) expected += " or " + std::to_string(MaxCount);
    throw EInputError("expected " + expected + " numbers (" + std::string(Meaning) + "), got " +
                      std::to_string(Fields.size()));
  }
}

std::size_t ReadNumbers(std::span<const std::string_view> Fields, std::size_t MinCount, std::size_t MaxCount,
                        std::string_view Meaning, double* Values) {
  CheckFieldCount(Fields, MinCount, MaxCount, Meaning);
  for (std::size_t i = 0; i < Fields.size(); ++i) {
    const auto value = ParseNumber(Fields[i]);
    if (!value) throw EInputError("invalid number \"" + Printable(Fields[i], 40) + "\"");
    Values[i] = *value;
  }
  return Fields.size();
}

std::vector<double> FieldsAsNumbers(std::span<const std::string_view> Fields, std::size_t MinCount,
                                    std::size_t MaxCount, std::string_view Meaning) {
  std::vector<double> numbers(std::min(Fields.size(), MaxCount));
  ReadNumbers(Fields, MinCount, MaxCount, Meaning, numbers.data());
  return numbers;
}

void TErrorLines::AddOption(CLI::App& Command) {
  Command
      .add_option_function<std::string>(
          "--on-error",
          [this](const std::string& text) {
            if (text == "skip") {
              Mode = Skip;
            } else if (text == "mark") {
              Mode = Mark;
            } else {
              Mode = Placeholder;
              Text = text;
            }
          },
          "What stands in the output for an input line that cannot be converted (the error itself goes to "
          "standard error): TEXT, by default ERROR; 'mark' for a comment line '# ERROR line N: reason' that "
          "later commands in a pipe copy unchanged; 'skip' for nothing (then the output no longer lines up "
          "with the input)")
      ->type_name("skip|mark|TEXT")
      ->check(CLI::Validator(
          [](std::string& text) -> std::string {
            return text.find_first_of("\n\r") == std::string::npos ? std::string() : "one line of text";
          },
          "", "TEXT"));
}

int RunConversion(std::string_view Command, const std::vector<std::string>& Arguments, const TLineConverter& Convert,
                  std::istream& In, std::ostream& Out, std::ostream& Err, const TErrorLines& OnError) {
  if (!Arguments.empty()) {
    std::string line;
    for (const std::string& argument : Arguments) {
      if (!line.empty()) line += ' ';
      line += argument;
    }
    std::vector<std::string_view> fields;
    std::string result;
    try {
      SplitFields(line, fields);
      Convert(fields, result);
    } catch (const EInputError& e) {
      ReportError(Err, Command, std::string("arguments: ") + e.what() + ": \"" + Printable(line) + "\"");
      return ExitBadInput;
    }
    Out << result << '\n';
    return ExitOk;
  }

  TLineLoop loop(Command, Convert, Out, Err, OnError);
  if (&In == &std::cin && isatty(STDIN_FILENO) == 1) {
    // Someone typing at a terminal wants each answer at once.
    std::string line;
    while (std::getline(In, line)) {
      loop.Line(line);
      loop.Flush();
      Out.flush();
    }
  } else {
    ReadBlocks(In, loop);
  }
  if (In.bad()) {
    loop.Flush();
    throw std::runtime_error("cannot read the input");
  }
  loop.Flush();
  return loop.AllConverted() ? ExitOk : ExitBadInput;
}

}  // namespace orq::cli
