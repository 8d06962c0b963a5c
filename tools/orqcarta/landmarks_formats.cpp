#include "landmarks_formats.h"

#include <algorithm>

#include "ErrorReport.h"
#include "OutputFormat.h"
#include "landmarks_fields.h"
#include "landmarks_json.h"

namespace orq::cli {

namespace {

void NoteIgnored(std::vector<std::string>& Ignored, const std::string& Name) {
  if (std::find(Ignored.begin(), Ignored.end(), Name) == Ignored.end()) Ignored.push_back(Name);
}

// ---- CSV ---------------------------------------------------------------------

std::string CsvField(const std::string& Text) {
  const bool quote = Text.find_first_of(",\"\r\n") != std::string::npos ||
                     (!Text.empty() && (Text.front() == ' ' || Text.back() == ' '));
  if (!quote) return Text;
  std::string out = "\"";
  for (char c : Text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

struct TCsvRecord {
  long Line = 0;  // where the record starts
  std::vector<std::string> Fields;
};

// Splits the text into records; quoted fields may hold line breaks. A line
// end is LF or CR LF. Empty lines are no records.
std::vector<TCsvRecord> SplitCsv(std::string_view Text) {
  std::vector<TCsvRecord> records;
  if (Text.substr(0, 3) == "\xEF\xBB\xBF") Text.remove_prefix(3);
  std::size_t pos = 0;
  long line = 1;
  while (pos < Text.size()) {
    TCsvRecord record;
    record.Line = line;
    for (;;) {  // one field per turn
      std::string field;
      if (pos < Text.size() && Text[pos] == '"') {
        const long startLine = line;
        ++pos;
        for (;;) {
          if (pos >= Text.size())
            throw EInputError("line " + std::to_string(startLine) + ": quoted field without its closing quote");
          const char c = Text[pos++];
          if (c == '"') {
            if (pos < Text.size() && Text[pos] == '"') {
              field += '"';
              ++pos;
              continue;
            }
            break;
          }
          if (c == '\n') ++line;
          field += c;
        }
        if (pos < Text.size() && Text[pos] == '\r' && pos + 1 < Text.size() && Text[pos + 1] == '\n') ++pos;
        if (pos < Text.size() && Text[pos] != ',' && Text[pos] != '\n')
          throw EInputError("line " + std::to_string(line) + ": text after a closing quote");
      } else {
        while (pos < Text.size() && Text[pos] != ',' && Text[pos] != '\n') field += Text[pos++];
        if (!field.empty() && field.back() == '\r' && (pos >= Text.size() || Text[pos] == '\n')) field.pop_back();
      }
      record.Fields.push_back(std::move(field));
      if (pos < Text.size() && Text[pos] == ',') {
        ++pos;
        continue;
      }
      break;  // end of line or of text
    }
    if (pos < Text.size()) {  // the LF
      ++pos;
      ++line;
    }
    const bool empty = record.Fields.size() == 1 && record.Fields[0].find_first_not_of(" \t") == std::string::npos;
    if (!empty) records.push_back(std::move(record));
  }
  return records;
}

// ---- GeoJSON -----------------------------------------------------------------

std::string JsonFieldValue(const TLandMark& LandMark, std::size_t Field) {
  const std::string text = LandmarkFieldText(LandMark, Field);
  return LandmarkFieldKind(Field) == lfkText ? JsonQuote(text) : text;
}

// The text form of a property value for SetLandmarkField.
std::string PropertyText(const TJsonValue& Value, const std::string& Name) {
  switch (Value.Kind) {
    case jkString:
    case jkNumber: return Value.Text;
    case jkBoolean: return Value.Boolean ? "true" : "false";
    case jkNull: return "";
    default: throw EInputError("property \"" + Printable(Name) + "\" is an object or array");
  }
}

TLandMark FeatureToLandmark(const TJsonValue& Feature, const TLandMark& Template, std::vector<std::string>& Ignored) {
  const TJsonValue* type = Feature.Find("type");
  if (type == nullptr || type->Kind != jkString || type->Text != "Feature")
    throw EInputError("not a GeoJSON Feature (\"type\" must be \"Feature\")");
  TLandMark lm = Template;
  if (const TJsonValue* props = Feature.Find("properties"); props != nullptr && props->Kind != jkNull) {
    if (props->Kind != jkObject) throw EInputError("\"properties\" is not an object");
    for (const TJsonMember& member : props->Members) {
      const std::string& name = member.Name;
      const TJsonValue& value = member.Value;
      const int field = FindLandmarkField(name);
      if (field < 0) {
        NoteIgnored(Ignored, name);
        continue;
      }
      // The position comes from the geometry alone.
      if (field == LandmarkLatField || field == LandmarkLongField || field == LandmarkAltField) continue;
      if (value.Kind == jkNull) continue;
      SetLandmarkField(lm, static_cast<std::size_t>(field), PropertyText(value, name));
    }
  }
  const TJsonValue* geometry = Feature.Find("geometry");
  if (geometry == nullptr || geometry->Kind != jkObject) throw EInputError("no geometry");
  const TJsonValue* gtype = geometry->Find("type");
  if (gtype == nullptr || gtype->Kind != jkString) throw EInputError("geometry without a type");
  if (gtype->Text != "Point") throw EInputError("geometry " + Printable(gtype->Text) + " is not a Point");
  const TJsonValue* coords = geometry->Find("coordinates");
  if (coords == nullptr || coords->Kind != jkArray || coords->Items.size() < 2 || coords->Items.size() > 3)
    throw EInputError("Point coordinates must be [long, lat] or [long, lat, alt]");
  for (const TJsonValue& c : coords->Items)
    if (c.Kind != jkNumber) throw EInputError("Point coordinates must be numbers");
  SetLandmarkField(lm, LandmarkLongField, coords->Items[0].Text);
  SetLandmarkField(lm, LandmarkLatField, coords->Items[1].Text);
  if (coords->Items.size() == 3) SetLandmarkField(lm, LandmarkAltField, coords->Items[2].Text);
  return lm;
}

}  // namespace

std::string LandmarksToCsv(const std::vector<TLandMark>& LandMarks) {
  const std::vector<std::string>& names = LandmarkFieldNames();
  std::string out;
  for (std::size_t f = 0; f < names.size(); ++f) out += (f ? "," : "") + names[f];
  out += '\n';
  for (const TLandMark& lm : LandMarks) {
    for (std::size_t f = 0; f < names.size(); ++f) out += (f ? "," : "") + CsvField(LandmarkFieldText(lm, f));
    out += '\n';
  }
  return out;
}

std::vector<TLandMark> LandmarksFromCsv(std::string_view Text, const TLandMark& Template,
                                        std::vector<std::string>& Ignored) {
  const std::vector<TCsvRecord> records = SplitCsv(Text);
  if (records.empty()) throw EInputError("no header row");
  const TCsvRecord& header = records.front();
  std::vector<int> columns;  // field number of each column, -1 to ignore
  for (const std::string& name : header.Fields) {
    const int field = FindLandmarkField(name);
    if (field >= 0 && std::find(columns.begin(), columns.end(), field) != columns.end())
      throw EInputError("line " + std::to_string(header.Line) + ": column \"" + Printable(name) + "\" occurs twice");
    if (field < 0) NoteIgnored(Ignored, name);
    columns.push_back(field);
  }
  for (std::size_t required : {LandmarkLatField, LandmarkLongField})
    if (std::find(columns.begin(), columns.end(), static_cast<int>(required)) == columns.end())
      throw EInputError("line " + std::to_string(header.Line) + ": the header has no \"" +
                        LandmarkFieldNames()[required] + "\" column");

  std::vector<TLandMark> result;
  for (std::size_t r = 1; r < records.size(); ++r) {
    const TCsvRecord& record = records[r];
    const std::string where = "line " + std::to_string(record.Line) + ": ";
    if (record.Fields.size() != columns.size())
      throw EInputError(where + std::to_string(record.Fields.size()) + " fields where the header has " +
                        std::to_string(columns.size()));
    TLandMark lm = Template;
    try {
      for (std::size_t c = 0; c < columns.size(); ++c) {
        if (columns[c] < 0) continue;
        const std::size_t field = static_cast<std::size_t>(columns[c]);
        if ((field == LandmarkLatField || field == LandmarkLongField) && record.Fields[c].empty())
          throw EInputError("no " + LandmarkFieldNames()[field]);
        SetLandmarkField(lm, field, record.Fields[c]);
      }
    } catch (const EInputError& e) {
      throw EInputError(where + e.what());
    }
    result.push_back(lm);
  }
  return result;
}

std::string LandmarksToGeoJson(const std::vector<TLandMark>& LandMarks) {
  const std::size_t count = LandmarkFieldNames().size();
  std::string out = "{\n\"type\": \"FeatureCollection\",\n\"features\": [";
  for (std::size_t i = 0; i < LandMarks.size(); ++i) {
    const TLandMark& lm = LandMarks[i];
    out += i ? ",\n" : "\n";
    out += "{\"type\": \"Feature\", \"geometry\": {\"type\": \"Point\", \"coordinates\": [" +
           LandmarkFieldText(lm, LandmarkLongField) + ", " + LandmarkFieldText(lm, LandmarkLatField) + ", " +
           LandmarkFieldText(lm, LandmarkAltField) + "]}, \"properties\": {";
    bool first = true;
    for (std::size_t f = 0; f < count; ++f) {
      if (f == LandmarkLatField || f == LandmarkLongField || f == LandmarkAltField) continue;
      out += (first ? "" : ", ") + JsonQuote(LandmarkFieldNames()[f]) + ": " + JsonFieldValue(lm, f);
      first = false;
    }
    out += "}}";
  }
  out += "\n]\n}\n";
  return out;
}

std::vector<TLandMark> LandmarksFromGeoJson(std::string_view Text, const TLandMark& Template,
                                            std::vector<std::string>& Ignored) {
  TJsonValue doc;
  try {
    doc = ParseJson(Text);
  } catch (const EJsonError& e) {
    throw EInputError(e.what());
  }
  const TJsonValue* type = doc.Find("type");
  if (type == nullptr || type->Kind != jkString)
    throw EInputError("not GeoJSON: the top level needs a \"type\" of \"FeatureCollection\" or \"Feature\"");
  if (type->Text == "Feature") return {FeatureToLandmark(doc, Template, Ignored)};
  if (type->Text != "FeatureCollection")
    throw EInputError("GeoJSON type \"" + Printable(type->Text) + "\" is neither FeatureCollection nor Feature");
  const TJsonValue* features = doc.Find("features");
  if (features == nullptr || features->Kind != jkArray) throw EInputError("FeatureCollection without \"features\" array");
  std::vector<TLandMark> result;
  for (std::size_t i = 0; i < features->Items.size(); ++i) {
    try {
      result.push_back(FeatureToLandmark(features->Items[i], Template, Ignored));
    } catch (const EInputError& e) {
      throw EInputError("feature " + std::to_string(i + 1) + ": " + e.what());
    }
  }
  return result;
}

}  // namespace orq::cli
