// Reading the elements of calibration blocks, and ParseCalibData, which
// reads a block into a free record.
#include <algorithm>
#include <string>

#include "CalibXmlElements.h"
#include "orqbase/StringUtils.h"
#include "orqbase/TagReader.h"
#include "orqcarta/Orq_GeoMap.h"
#include "orqcarta/geomap/CalibXml.h"
#include "XmlText.h"
#include "orqplatform/Streams.h"
#include "orqplatform/TextFile.h"

namespace orq {

TXmlTagSource TextFileTags(TTextFile& F) {
  return [&F](std::string& Attributes, std::string& Content) {
    return ReadNextTagInTextFile(F, GeoMapXmlTags, GeoMapXmlTagHigh, Attributes, Content);
  };
}

TXmlTagSource StreamTags(TStream* Stream) {
  return [Stream](std::string& Attributes, std::string& Content) {
    return ReadNextTagInStream(Stream, GeoMapXmlTags, GeoMapXmlTagHigh, Attributes, Content);
  };
}

TCalibModel CalibModelFromName(const std::string& LowerName) {
  const int ix = StringIx(LowerName, CalibModelNames, cmUndefined) - 1;
  return ix < 0 ? cmUndefined : static_cast<TCalibModel>(ix);
}

TGeoEllipsoid EllipsoidFromId(const std::string& Id) {
  const int ix = StringIx(Id, GeoEllipsoidId, GeoEllipsoidCount - 1) - 1;
  return ix < 0 ? gelWGS84 : static_cast<TGeoEllipsoid>(ix);
}

namespace {

// Hands out the bracketed entries "[...]" of an element's content in order;
// stops at the first "[" that has no "]" after it.
class TBracketEntries {
 public:
  explicit TBracketEntries(std::string Content) : FRest(std::move(Content)) {}
  bool Next(std::string& Entry) {
    if (FRest.empty()) return false;
    const std::size_t open = FRest.find('['), close = FRest.find(']');
    if (open == std::string::npos || close == std::string::npos || open > close) {
      FRest.clear();
      return false;
    }
    Entry = FRest.substr(open + 1, close - open - 1);
    FRest.erase(0, close + 1);
    return true;
  }

 private:
  std::string FRest;
};

// 1-based position just after Name in the lower-cased attribute text, or 0.
int PosAfter(const std::string& LowerAttributes, const std::string& Name) {
  const std::size_t at = LowerAttributes.find(Name);
  return at == std::string::npos ? 0 : static_cast<int>(at + Name.size()) + 1;
}

int IntegerAfter(const std::string& Text, const std::string& LowerText, const std::string& Name) {
  int pos = PosAfter(LowerText, Name);
  return pos == 0 ? 0 : ScanXmlInteger(Text, pos);
}

// The number after the first comma of an entry; 0 without a comma.
int IntegerAfterComma(const std::string& Entry) {
  const std::size_t comma = Entry.find(',');
  if (comma == std::string::npos) return 0;
  int pos = static_cast<int>(comma) + 2;
  return ScanXmlInteger(Entry, pos);
}

void ReadCalLine(const std::string& Attributes, const std::string& Content, TCalibData& D, bool DropShortLines,
                 const TCalibErrorText& ErrorText) {
  // Lines beyond the record's capacity are ignored.
  if (D.NumCalLines >= MaxCalibLines) return;
  const std::string lower = XmlLowerCase(Attributes);
  TCalibLine& line = D.CalLines[D.NumCalLines];
  line = TCalibLine{};
  ++D.NumCalLines;

  std::string type;
  if (const int start = PosAfter(lower, "type=\""); start > 0) {
    const int close = ClosingQuotePos("\"", Attributes, start, true, 1);
    type = close > 0 ? lower.substr(start - 1, close - start) : lower.substr(start - 1);
  }
  if (type == "parallel") line.LineType = gtlParallel;
  else if (type == "meridian") line.LineType = gtlMeridian;
  else throw EOrqGeoMapError(ErrorText("invalid type of graticule line: type=\"" + type + "\""));

  if (int pos = PosAfter(lower, "value=\""); pos > 0) line.LineValue = ScanXmlDecimal(Attributes, true, dmPointOrComma, pos);
  const int declared = IntegerAfter(Attributes, lower, "npoints=\"");

  TBracketEntries entries(Content);
  std::string entry;
  int found = 0;
  while (entries.Next(entry)) {
    ++found;
    if (line.NumPoints >= MaxPointsPerLine) continue;  // counted, not stored
    int pos = 1;
    TPoint& p = line.CalPoints[line.NumPoints++];
    p.X = ScanXmlInteger(entry, pos);
    p.Y = IntegerAfterComma(entry);
  }
  if (found != declared)
    throw EOrqGeoMapError(ErrorText("specified number of calibration points and actual number does not match"));
  if (DropShortLines && declared < 3) --D.NumCalLines;
}

void ReadCorners(const std::string& Content, TCalibData& D) {
  TBracketEntries entries(Content);
  std::string entry;
  int corner = 0;
  while (entries.Next(entry)) {
    if (corner >= static_cast<int>(D.Corners.size())) break;  // extra corners are ignored
    TCoords& c = D.Corners[corner++];
    const std::size_t comma = entry.find(',');
    c.Longit = 0;
    if (comma != std::string::npos) {
      int pos = static_cast<int>(comma) + 2;
      c.Longit = ScanXmlDecimal(entry, true, dmPointOrComma, pos);
      entry.erase(comma);
    }
    int pos = 1;
    c.Latit = ScanXmlDecimal(entry, true, dmPointOrComma, pos);
  }
}

void ReadCalQuads(const std::string& Attributes, const std::string& Content, TCalibData& D,
                  const TCalibErrorText& ErrorText) {
  const int declared = IntegerAfter(Attributes, XmlLowerCase(Attributes), "npoints=\"");
  // The count always tells how many entries are stored, also after an error.
  D.NumCalQuads = 0;
  TBracketEntries entries(Content);
  std::string entry;
  int found = 0;
  while (entries.Next(entry)) {
    ++found;
    if (D.NumCalQuads >= MaxCalibQuads) continue;
    TCalQuad& q = D.CalQuads[D.NumCalQuads++];
    int pos = 1;
    q.Latitude = ScanXmlDecimal(entry, false, dmPoint, pos);
    ++pos;
    q.Longitude = ScanXmlDecimal(entry, false, dmPoint, pos);
    ++pos;
    q.MapX = ScanXmlInteger(entry, pos);
    ++pos;
    q.MapY = ScanXmlInteger(entry, pos);
  }
  if (found != declared)
    throw EOrqGeoMapError(ErrorText("specified number of calibration points and actual number does not match"));
}

}  // namespace

void ReadCalibElements(const TXmlTagSource& NextTag, TCalibData& D, bool DropShortLines,
                       const TCalibErrorText& ErrorText) {
  std::string attributes, content;
  for (;;) {
    const int tag = NextTag(attributes, content);
    if (tag == xtGeoMapEnd || tag >= xtInvalidTag || tag < 0) return;
    switch (tag) {
      case xtCalLine:
        ReadCalLine(attributes, content, D, DropShortLines, ErrorText);
        break;
      case xtCorners:
        ReadCorners(content, D);
        break;
      case xtResolution: {
        int pos = 1;
        D.Resolution = ScanXmlDecimal(content, true, dmPointOrComma, pos);
        break;
      }
      case xtCalQuads:
        ReadCalQuads(attributes, content, D, ErrorText);
        break;
      case xtUTMZone: {
        int pos = 1;
        D.UTMZone = ScanXmlInteger(content, pos);
        break;
      }
      case xtUTMSouth:
        D.UTMSouth = XmlLowerCase(content) == "true";
        break;
      case xtEllipsoid:
        D.Ellipsoid = EllipsoidFromId(content);
        break;
      default:
        break;
    }
  }
}

namespace {

bool ParseFromLines(const TXmlLineSource& Lines, const TXmlTagSource& Tags, const std::string& DataID,
                    TCalibData& CalData, TCalibModel& Model) {
  const bool found = FindSignatureLine(Lines, GeoMapXmlTags[xtGeoMap], DataID,
                                       [&](const std::string& Line, const std::string& Lower) {
                                         Model = cmBiquadraticPn;
                                         if (Lower.find("model=\"") != std::string::npos)
                                           Model = CalibModelFromName(SignatureAttribute(Lower, Lower, "model=\""));
                                         CalData.MapFName = SignatureAttribute(Lower, Lower, "map=\"");
                                         CalData.Caption = SignatureAttribute(Line, Lower, "caption=\"");
                                       });
  if (!found) return false;
  CalData.NumCalLines = 0;
  ReadCalibElements(Tags, CalData, false,
                    [](const std::string& Tail) { return "ParseCalibData: " + Tail; });
  return true;
}

}  // namespace

bool ParseCalibData(const std::string& FileName, const std::string& DataID, TCalibData& CalData,
                    TCalibModel& Model) {
  TTextFile f(FileName);
  f.SetIOChecks(false);
  f.Reset();
  if (f.IOResult() != 0) return false;
  f.SetIOChecks(true);
  const bool found = ParseFromLines(TextFileLines(f), TextFileTags(f), DataID, CalData, Model);
  f.Close();
  return found;
}

bool ParseCalibData(TMemoryStream* InStream, const std::string& DataID, TCalibData& CalData, TCalibModel& Model) {
  if (!InStream) return false;
  return ParseFromLines(StreamLines(InStream), StreamTags(InStream), DataID, CalData, Model);
}

}  // namespace orq
