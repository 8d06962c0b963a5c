#include "orqbase/StringUtils.h"

#include <algorithm>
#include <cstring>

#include "orqplatform/FileUtils.h"

namespace orq {

int StringIx(const std::string& Text, std::span<const std::string> Table, int HighIx) {
  const int last = std::min<int>(HighIx, static_cast<int>(Table.size()) - 1);
  for (int i = 0; i <= last; ++i)
    if (Table[static_cast<std::size_t>(i)] == Text) return i + 1;
  return 0;
}

std::string StripPath(const std::string& Name) { return ExtractFileName(Name); }

std::string StripExtension(const std::string& Name) { return ChangeFileExt(Name, ""); }

std::string ReduceStringToFN83CompliantChars(const std::string& Text) {
  static constexpr const char* kSpecials = "!#$%&'()-@^_`{}~.";
  std::string out;
  for (char c : Text) {
    const bool allowed = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                         (c != '\0' && std::strchr(kSpecials, c) != nullptr);
    if (!allowed || (c == '.' && out.empty())) continue;
    out += c;
  }
  return out;
}

}  // namespace orq
