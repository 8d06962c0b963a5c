#include "TextTable.h"

#include <algorithm>
#include <ostream>

#include "orqbase/BoundedString.h"

namespace orq::cli {

void TTextTable::AddColumn(std::string Heading, TAlign Align) { Columns_.push_back({std::move(Heading), Align}); }

void TTextTable::AddRow(std::vector<std::string> Cells) {
  Cells.resize(Columns_.size());
  Rows_.push_back(std::move(Cells));
}

void TTextTable::Write(std::ostream& Out) const {
  std::vector<std::size_t> widths;
  for (const TColumn& column : Columns_) widths.push_back(CharCount(column.Heading));
  for (const auto& row : Rows_)
    for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], CharCount(row[c]));

  auto writeLine = [&](const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t c = 0; c < cells.size(); ++c) {
      const std::string padding(widths[c] - CharCount(cells[c]), ' ');
      if (c > 0) line += "  ";
      line += Columns_[c].Align == alRight ? padding + cells[c] : cells[c] + padding;
    }
    line.erase(line.find_last_not_of(' ') + 1);
    Out << line << '\n';
  };

  std::vector<std::string> headings, rules;
  for (std::size_t c = 0; c < Columns_.size(); ++c) {
    headings.push_back(Columns_[c].Heading);
    rules.emplace_back(widths[c], '-');
  }
  writeLine(headings);
  writeLine(rules);
  for (const auto& row : Rows_) writeLine(row);
}

}  // namespace orq::cli
