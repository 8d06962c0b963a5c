// Towns from CSV files, as spreadsheets and gazetteers export them: a heading
// row naming the columns (name, lat, long, and optionally altitude, class,
// tag, in any order; other columns are ignored), then one town a row.
// Fields may be quoted ("Washington, D.C.") with "" for a quote inside; the
// separator is a comma, or a semicolon or tab when the heading uses that.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orq::cli {

struct TTownRow {
  std::string Name;
  double Latit = 0;
  double Longit = 0;
  float Altitude = 0;
  uint8_t ClassNumber = 0;
  int32_t Tag = 0;
};

// The fields of one line. Throws EInputError for a quote left open.
std::vector<std::string> SplitCsvLine(std::string_view Line, char Separator);

class TTownCsvReader {
 public:
  // Reads the heading row (a UTF-8 byte order mark in front is skipped).
  // Throws EInputError when a required column is missing or a column is
  // named twice.
  explicit TTownCsvReader(std::string_view HeadingLine);

  // One data row. Throws EInputError saying what is wrong with it. Empty
  // optional cells, or optional cells missing at the end of a row, are 0.
  TTownRow ParseRow(std::string_view Line) const;

  char Separator() const { return FSeparator; }
  // Headings of the columns that are not read.
  const std::vector<std::string>& IgnoredColumns() const { return FIgnored; }

 private:
  char FSeparator = ',';
  std::size_t FColumnCount = 0;
  int FName = -1, FLatit = -1, FLongit = -1, FAltitude = -1, FClass = -1, FTag = -1;
  std::vector<std::string> FIgnored;
};

// True for a line with nothing but blanks (such rows are skipped).
bool IsBlankCsvLine(std::string_view Line);

}  // namespace orq::cli
