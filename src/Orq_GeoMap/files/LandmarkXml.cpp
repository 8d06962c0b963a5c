// Landmark blocks: reading them into a map, and writing them.
#include "orqcarta/geomap/LandmarkXml.h"

#include "CalibXmlElements.h"
#include "orqbase/TagReader.h"
#include "orqcarta/Orq_GeoMap.h"
#include "orqcarta/geomap/LandmarkNames.h"
#include "XmlText.h"
#include "orqmath/TextScan.h"
#include "orqplatform/FormatSettings.h"
#include "orqplatform/TextFile.h"

namespace orq {

namespace {

constexpr const char* DatePicture = "yyyymmddHHMMSS";

double DecimalValue(const std::string& Text) {
  int pos = 1;
  return ScanXmlDecimal(Text, true, dmPointOrComma, pos);
}

int IntegerValue(const std::string& Text) {
  int pos = 1;
  return ScanXmlInteger(Text, pos);
}

TColor HexValue(const std::string& Text) {
  int pos = 1;
  return ScanHex(Text, pos);
}

// Shortest text that reads back as the same double, always with ".".
std::string ExactNumber(double Value) { return FloatToStrF(Value, ffGeneral, 17, 0, InvariantFormatSettings); }

// Attribute values are not escaped: keep a value from ending early or
// breaking its line.
std::string AttributeText(const std::string& Text) {
  std::string out = Text;
  for (char& c : out) {
    if (c == '"') c = '\'';
    else if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

std::string DateText(TDateTime Time) {
  if (!(Time >= MinDateTime && Time <= MaxDateTime)) return {};
  return FormatDateTimePicture(DatePicture, Time, lanEnglish);
}

}  // namespace

TLandMark LandMarkFromXmlAttributes(const std::string& A) {
  auto attr = [&A](const char* Name) { return GetXmlAttribute(A, Name); };
  TLandMark lm;
  lm.Latitude = DecimalValue(attr("lat"));
  lm.Longitude = DecimalValue(attr("long"));
  lm.Altitude = DecimalValue(attr("alti"));
  lm.ClassFlag = static_cast<uint8_t>(IntegerValue(attr("class")) & 0xFF);
  lm.Tag = IntegerValue(attr("usertag"));
  lm.SymbolProps.FGColor = HexValue(attr("colorfg"));
  lm.SymbolProps.BGColor = HexValue(attr("colorbg"));
  lm.SymbolProps.Size = IntegerValue(attr("size"));
  lm.SymbolProps.Transparent = XmlTextIsTrue(attr("transp"));
  lm.SymbolProps.Direction = IntegerValue(attr("dir"));
  lm.SymbolProps.Length = IntegerValue(attr("leng"));
  lm.SymbolProps.Kind = LMElementFromText(attr("element"));
  lm.Identifier = attr("id");
  int pos = 1;
  lm.Time = ScanDateTime(attr("date"), DatePicture, lanEnglish, pos);
  lm.Caption.Text = attr("captext");
  lm.Caption.Size = IntegerValue(attr("capsize"));
  lm.Caption.FontName = attr("capfnm");
  lm.Caption.FGColor = HexValue(attr("capfgcol"));
  lm.Caption.BGColor = HexValue(attr("capbgcol"));
  lm.Caption.Transparent = XmlTextIsTrue(attr("captransp"));
  lm.Caption.Direction = IntegerValue(attr("capdir"));
  lm.Caption.dx = IntegerValue(attr("capdx"));
  lm.Caption.dy = IntegerValue(attr("capdy"));
  // Alignments outside their enumerations would reach the drawing code as
  // undefined values; they read as the first alignment instead.
  const int hal = IntegerValue(attr("caphal"));
  lm.Caption.HAlignment = hal >= taLeftJustify && hal <= taCenter ? static_cast<TAlignment>(hal) : taLeftJustify;
  const int val = IntegerValue(attr("capval"));
  lm.Caption.VAlignment = val >= vaTop && val <= vaBottom ? static_cast<TVerticalAlignment>(val) : vaTop;
  lm.Caption.FontStyles = FontStylesFromFlags(attr("capfst"));
  return lm;
}

std::string LandMarkToXmlLine(const TLandMark& lm) {
  const TSymbolProperties& s = lm.SymbolProps;
  const TLMTextProperties& c = lm.Caption;
  auto q = [](const std::string& Name, const std::string& Value) { return " " + Name + "=\"" + Value + "\""; };
  return "<landmark" + q("lat", ExactNumber(lm.Latitude)) + q("long", ExactNumber(lm.Longitude)) +
         q("alti", ExactNumber(lm.Altitude)) + q("class", IntToStr(lm.ClassFlag)) + q("usertag", IntToStr(lm.Tag)) +
         q("element", LMTypeName(s.Kind)) + q("colorfg", Hex(s.FGColor, 8)) + q("colorbg", Hex(s.BGColor, 8)) +
         q("size", IntToStr(s.Size)) + q("transp", BoolToXmlText(s.Transparent)) + q("dir", IntToStr(s.Direction)) +
         q("leng", IntToStr(s.Length)) + q("id", AttributeText(lm.Identifier)) + q("date", DateText(lm.Time)) +
         q("captext", AttributeText(c.Text)) + q("capsize", IntToStr(c.Size)) +
         q("capfnm", AttributeText(c.FontName)) + q("capfgcol", Hex(c.FGColor, 8)) +
         q("capbgcol", Hex(c.BGColor, 8)) + q("captransp", BoolToXmlText(c.Transparent)) +
         q("capdir", IntToStr(c.Direction)) + q("capdx", IntToStr(c.dx)) + q("capdy", IntToStr(c.dy)) +
         q("caphal", IntToStr(c.HAlignment)) + q("capval", IntToStr(c.VAlignment)) +
         q("capfst", FontStylesToFlags(c.FontStyles)) + " />";
}

void WriteLandMarkBlock(TTextFile& OutFile, bool WithHeader, const std::string& DataID,
                        std::span<const TLandMark> LandMarks) {
  if (WithHeader) OutFile.WriteLn("<?xml version=\"1.0\"?>");
  OutFile.WriteLn("");
  OutFile.WriteLn("<!-- TGeoMap Landmarks / Orq Component Suite -->");
  OutFile.WriteLn("<gmlandmarks sig=\"OrqCSuite\" vers=\"1.0\" id=\"" + DataID + "\">");
  for (const TLandMark& lm : LandMarks) OutFile.WriteLn(LandMarkToXmlLine(lm));
  OutFile.WriteLn("</gmlandmarks>");
}

bool TGeoMap::ReadLandMarksFromOpenXMLFile(TTextFile& InFile, const std::string& DataID) {
  if (!FindSignatureLine(TextFileLines(InFile), GeoMapXmlTags[xtLandmarks], DataID)) return false;
  FNumLandMarks = 0;
  SetLandMarkCapacityFor(0);
  const TXmlTagSource nextTag = TextFileTags(InFile);
  std::string attributes, content;
  for (;;) {
    const int tag = nextTag(attributes, content);
    if (tag == xtGeoMapEnd || tag >= xtInvalidTag || tag < 0) break;
    if (tag != xtLandmark) continue;
    const TLandMark lm = LandMarkFromXmlAttributes(attributes);
    const int n = FNumLandMarks + 1;
    if (n > LandMarkCapacity()) SetLandMarkCapacityFor(n);
    FLandMarks[n - 1] = lm;
    FNumLandMarks = n;
  }
  return true;
}

bool TGeoMap::LoadLandMarks(const std::string& FName, const std::string& DataID) {
  TTextFile f(FName);
  f.SetIOChecks(false);
  f.Reset();
  if (f.IOResult() != 0) return false;
  f.SetIOChecks(true);
  const bool found = ReadLandMarksFromOpenXMLFile(f, DataID);
  f.Close();
  Paint();
  return found;
}

void TGeoMap::WriteLandMarksToOpenXMLFile(TTextFile& OutFile, bool WithHeader, const std::string& DataID) {
  WriteLandMarkBlock(OutFile, WithHeader, DataID,
                     std::span<const TLandMark>(FLandMarks.data(), static_cast<size_t>(FNumLandMarks)));
}

void TGeoMap::SaveLandmarks(const std::string& FileName, const std::string& DataID) {
  TTextFile file;
  file.AssignFile(FileName);
  file.Rewrite();
  WriteLandMarksToOpenXMLFile(file, true, DataID);
  file.Close();
}

}  // namespace orq
