#include "db_town_csv.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <utility>

#include "ErrorReport.h"
#include "NumberParsing.h"
#include "PositionFields.h"

namespace orq::cli {

namespace {

std::string_view Trim(std::string_view Text) {
  const std::size_t first = Text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const std::size_t last = Text.find_last_not_of(" \t\r\n");
  return Text.substr(first, last - first + 1);
}

std::string Lower(std::string_view Text) {
  std::string out(Text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// The separator the heading uses: the most frequent of , ; and tab outside
// quotes (a comma when there is none, as for a file with one column).
char DetectSeparator(std::string_view Heading) {
  int commas = 0, semicolons = 0, tabs = 0;
  bool quoted = false;
  for (char c : Heading) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    commas += c == ',';
    semicolons += c == ';';
    tabs += c == '\t';
  }
  if (tabs > commas && tabs > semicolons) return '\t';
  if (semicolons > commas) return ';';
  return ',';
}

// Files separated by semicolons or tabs come from places that write a decimal
// comma ("46,948"); those read as the number they mean.
double CellNumber(std::string_view Cell, std::string_view What, char Separator) {
  std::string text(Cell);
  if (Separator != ',' && std::count(text.begin(), text.end(), ',') == 1 && text.find('.') == std::string::npos)
    text[text.find(',')] = '.';
  const auto value = ParseNumber(text);
  if (!value) throw EInputError("invalid " + std::string(What) + " \"" + Printable(Cell, 40) + "\"");
  return *value;
}

}  // namespace

std::vector<std::string> SplitCsvLine(std::string_view Line, char Separator) {
  if (!Line.empty() && Line.back() == '\r') Line.remove_suffix(1);
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < Line.size(); ++i) {
    const char c = Line[i];
    if (quoted) {
      if (c != '"') {
        fields.back() += c;
      } else if (i + 1 < Line.size() && Line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == Separator) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  // Names never span lines, so an open quote is a broken row, not a
  // continuation.
  if (quoted) throw EInputError("a quoted field is not closed");
  return fields;
}

bool IsBlankCsvLine(std::string_view Line) { return Trim(Line).empty(); }

TTownCsvReader::TTownCsvReader(std::string_view HeadingLine) {
  if (HeadingLine.substr(0, 3) == "\xEF\xBB\xBF") HeadingLine.remove_prefix(3);
  FSeparator = DetectSeparator(HeadingLine);
  const std::vector<std::string> headings = SplitCsvLine(HeadingLine, FSeparator);
  FColumnCount = headings.size();
  struct TColumn {
    int* Slot;
    std::vector<std::string_view> Names;
  };
  const TColumn columns[] = {{&FName, {"name"}},
                             {&FLatit, {"lat", "latitude"}},
                             {&FLongit, {"long", "lon", "lng", "longitude"}},
                             {&FAltitude, {"altitude", "alt", "elevation"}},
                             {&FClass, {"class"}},
                             {&FTag, {"tag"}}};
  for (std::size_t i = 0; i < headings.size(); ++i) {
    const std::string heading = Lower(Trim(headings[i]));
    bool known = false;
    for (const TColumn& column : columns) {
      if (std::find(column.Names.begin(), column.Names.end(), heading) == column.Names.end()) continue;
      if (*column.Slot >= 0) throw EInputError("the column \"" + heading + "\" is named twice");
      *column.Slot = static_cast<int>(i);
      known = true;
    }
    if (!known) FIgnored.push_back(std::string(Trim(headings[i])));
  }
  std::string missing;
  for (auto [slot, name] : {std::pair{FName, "name"}, std::pair{FLatit, "lat"}, std::pair{FLongit, "long"}})
    if (slot < 0) missing += std::string(missing.empty() ? " " : ", ") + name;
  if (!missing.empty())
    throw EInputError("the heading row lacks the column(s)" + missing +
                      " (expected name,lat,long[,altitude,class,tag])");
}

TTownRow TTownCsvReader::ParseRow(std::string_view Line) const {
  const std::vector<std::string> fields = SplitCsvLine(Line, FSeparator);
  if (fields.size() > FColumnCount)
    throw EInputError(std::to_string(fields.size()) + " fields, but the heading names " + std::to_string(FColumnCount) +
                      " columns (quote names that contain the separator)");
  auto cell = [&](int Column) -> std::string_view {
    return Column >= 0 && static_cast<std::size_t>(Column) < fields.size() ? Trim(fields[static_cast<std::size_t>(Column)])
                                                                           : std::string_view();
  };
  const int required = std::max({FName, FLatit, FLongit});
  if (fields.size() <= static_cast<std::size_t>(required))
    throw EInputError(std::to_string(fields.size()) + " fields, too few for name, latitude and longitude");

  TTownRow row;
  row.Name = std::string(cell(FName));
  if (row.Name.empty()) throw EInputError("the name is empty");
  row.Latit = CellNumber(cell(FLatit), "latitude", FSeparator);
  CheckLatitude(row.Latit);
  row.Longit = CellNumber(cell(FLongit), "longitude", FSeparator);
  CheckLongitude(row.Longit);
  if (!cell(FAltitude).empty()) {
    const double altitude = CellNumber(cell(FAltitude), "altitude", FSeparator);
    if (std::fabs(altitude) > std::numeric_limits<float>::max())
      throw EInputError("altitude \"" + std::string(cell(FAltitude)) + "\" out of range");
    row.Altitude = static_cast<float>(altitude);
  }
  if (!cell(FClass).empty()) {
    const auto number = ParseInteger(cell(FClass));
    if (!number || *number < 0 || *number > 255)
      throw EInputError("invalid class \"" + Printable(cell(FClass), 40) + "\" (0..255)");
    row.ClassNumber = static_cast<uint8_t>(*number);
  }
  if (!cell(FTag).empty()) {
    const auto number = ParseInteger(cell(FTag));
    if (!number) throw EInputError("invalid tag \"" + Printable(cell(FTag), 40) + "\" (a 32-bit integer)");
    row.Tag = *number;
  }
  return row;
}

}  // namespace orq::cli
