#include "ErrorReport.h"

#include <new>

namespace orq::cli {

std::string Printable(std::string_view Text, std::size_t MaxLength) {
  std::string out;
  const bool cut = Text.size() > MaxLength;
  if (cut) Text = Text.substr(0, MaxLength);
  out.reserve(Text.size() + 3);
  for (char c : Text) {
    const auto u = static_cast<unsigned char>(c);
    out += (u < 0x20 || u == 0x7f) ? '?' : c;
  }
  if (cut) out += "...";
  return out;
}

void ReportError(std::ostream& Err, std::string_view Command, std::string_view Message) {
  Err << "orqcarta";
  if (!Command.empty()) Err << ' ' << Command;
  Err << ": " << Message << '\n';
}

void ReportLineError(std::ostream& Err, std::string_view Command, long LineNumber, std::string_view Message,
                     std::string_view Text) {
  Err << "orqcarta " << Command << ": line " << LineNumber << ": " << Message << ": \"" << Printable(Text) << "\"\n";
}

int RunReported(std::ostream& Err, std::string_view Command, const std::function<int()>& Action) {
  try {
    return Action();
  } catch (const EUsageError& e) {
    ReportError(Err, Command, e.what());
    return ExitUsage;
  } catch (const std::bad_alloc&) {
    ReportError(Err, Command, "out of memory");
    return ExitFailure;
  } catch (const std::exception& e) {
    ReportError(Err, Command, e.what());
    return ExitFailure;
  }
}

}  // namespace orq::cli
