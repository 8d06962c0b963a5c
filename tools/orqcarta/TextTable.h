// A plain-text table with aligned columns, for output meant to be read by
// people rather than by programs.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace orq::cli {

class TTextTable {
 public:
  enum TAlign { alLeft, alRight };

  void AddColumn(std::string Heading, TAlign Align);
  // A row with one cell per column; missing cells stay empty.
  void AddRow(std::vector<std::string> Cells);
  int RowCount() const { return static_cast<int>(Rows_.size()); }

  // Headings, a rule, then the rows; columns two blanks apart, widths in
  // UTF-8 characters.
  void Write(std::ostream& Out) const;

 private:
  struct TColumn {
    std::string Heading;
    TAlign Align;
  };
  std::vector<TColumn> Columns_;
  std::vector<std::vector<std::string>> Rows_;
};

}  // namespace orq::cli
