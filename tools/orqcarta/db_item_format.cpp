#include "db_item_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <ostream>

#include "ErrorReport.h"

namespace orq::cli {

namespace {

constexpr std::size_t ColumnCount = 9;
constexpr std::size_t NameColumn = ColumnCount - 1;
using TRow = std::array<std::string, ColumnCount>;
const TRow Headings = {"Pos", "ItemID", "Kind", "Class", "LatLow", "LatHigh", "LongLow", "LongHigh", "Name"};

TRow Cells(const TGeoDB& Db, int Position) {
  const TgdbData d = Db.Data(Position);
  // Names from damaged files may hold control characters; they must not
  // reach a terminal or break the tab-separated fields.
  return {std::to_string(Position),
          std::to_string(d.ItemId),
          KindName(d.ItemKind),
          std::to_string(d.ClassFlag),
          FormatFloat(d.LatLow),
          FormatFloat(d.LatHigh),
          FormatFloat(d.LongLow),
          FormatFloat(d.LongHigh),
          Printable(d.Name.str(), 1000)};
}

// The kind and the name are text, left-aligned; the rest are numbers.
bool RightAligned(std::size_t Column) { return Column != 2 && Column != NameColumn; }

}  // namespace

std::string FormatFloat(float Value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, Value);
  return std::string(buffer, result.ptr);
}

std::string KindName(TgdbItem Kind) {
  const int k = static_cast<int>(Kind);
  return GDB_ITEMNAMES[k >= gitBorder && k <= gitUndefined ? k : gitUndefined];
}

void WriteItems(std::ostream& Out, const TGeoDB& Db, const std::vector<int>& Positions, TItemLayout Layout) {
  if (Positions.empty()) return;
  if (Layout == ilTabSeparated) {
    for (int position : Positions) {
      const TRow cells = Cells(Db, position);
      for (std::size_t c = 0; c < ColumnCount; ++c) Out << (c ? "\t" : "") << cells[c];
      Out << '\n';
    }
    return;
  }
  // Two passes rather than holding every row: a database may have millions.
  std::array<std::size_t, ColumnCount> widths{};
  for (std::size_t c = 0; c < ColumnCount; ++c) widths[c] = Headings[c].size();
  for (int position : Positions) {
    const TRow cells = Cells(Db, position);
    for (std::size_t c = 0; c < NameColumn; ++c) widths[c] = std::max(widths[c], cells[c].size());
  }
  auto writeRow = [&](const TRow& Row) {
    std::string line;
    for (std::size_t c = 0; c < NameColumn; ++c) {
      const std::size_t pad = widths[c] - Row[c].size();
      if (RightAligned(c)) line.append(pad, ' ');
      line += Row[c];
      if (!RightAligned(c)) line.append(pad, ' ');
      line += "  ";
    }
    Out << line << Row[NameColumn] << '\n';
  };
  writeRow(Headings);
  for (int position : Positions) writeRow(Cells(Db, position));
}

void WriteMetaInfo(std::ostream& Out, const TMetaInfo& Meta) {
  Out << "Keywords: " << Printable(Meta.Keywords.str(), 1000) << '\n'
      << "Caption: " << Printable(Meta.Caption.str(), 1000) << '\n'
      << "FilePath: " << Printable(Meta.FilePath.str(), 1000) << '\n'
      << "Descriptor: " << Printable(Meta.Descriptor.str(), 1000) << '\n'
      << "Comment: " << Printable(Meta.Comment.str(), 1000) << '\n';
}

}  // namespace orq::cli
