// Writing calibration blocks to text files and streams.
#include <algorithm>
#include <string>
#include <vector>

#include "orqbase/TagReader.h"
#include "orqcarta/geomap/CalibXml.h"
#include "XmlText.h"
#include "orqplatform/FormatSettings.h"
#include "orqplatform/TextFile.h"

namespace orq {

namespace {

enum class TBlockForm { TextFile, Stream };

std::string ModelName(TCalibModel Model) {
  if (Model < cmParabolicIp || Model > cmUndefined) Model = cmUndefined;
  return CalibModelNames[Model];
}

std::string EllipsoidIdText(TGeoEllipsoid Ellipsoid) {
  const int ix = static_cast<int>(Ellipsoid);
  return GeoEllipsoidId[ix >= 0 && ix < GeoEllipsoidCount ? ix : gelWGS84];
}

std::string Fixed5(double Value) { return FloatToFixed(Value, 5); }

// The lines of one block, without line ends. A record whose counts lie
// outside its capacity is written only as far as it holds entries.
std::vector<std::string> BlockLines(TBlockForm Form, bool WithHeader, const std::string& DataID,
                                    const TCalibData& D, TCalibModel Model) {
  std::vector<std::string> out;
  const bool toFile = Form == TBlockForm::TextFile;
  if (WithHeader || !toFile) out.push_back("<?xml version=\"1.0\"?>");
  out.push_back("");
  out.push_back("<!-- TGeoMap Calibration / Orq Component Suite -->");
  out.push_back("<geomap sig=\"OrqCSuite\" vers=\"1.0\" id=\"" + DataID + "\" model=\"" + ModelName(Model) +
                "\" map=\"" + D.MapFName + "\" caption=\"" + D.Caption + "\">");
  out.push_back("<corners>");
  std::string corners;
  for (const TCoords& c : D.Corners) corners += "[" + Fixed5(c.Latit) + "," + Fixed5(c.Longit) + "] ";
  out.push_back(corners);
  out.push_back("</corners>");
  if (!toFile || D.Resolution > 0) out.push_back("<resolution>" + FloatToFixed(D.Resolution, 3) + "</resolution>");
  if (toFile) {
    if (D.UTMZone >= 1 && D.UTMZone <= 60) {
      out.push_back("<utmzone>" + IntToStr(D.UTMZone) + "</utmzone>");
      out.push_back("<utmsouth>" + BoolToXmlText(D.UTMSouth) + "</utmsouth>");
    }
    out.push_back("<ellipsoid>" + EllipsoidIdText(D.Ellipsoid) + "</ellipsoid>");
  }
  const int lines = std::clamp(D.NumCalLines, 0, MaxCalibLines);
  for (int i = 0; i < lines; ++i) {
    const TCalibLine& line = D.CalLines[i];
    const int points = std::clamp(line.NumPoints, 0, MaxPointsPerLine);
    out.push_back(std::string("<calline type=\"") + (line.LineType == gtlParallel ? "parallel" : "meridian") +
                  "\" value=\"" + FloatToStr(line.LineValue) + "\" npoints=\"" + IntToStr(points) + "\">");
    std::string pts;
    for (int p = 0; p < points; ++p)
      pts += "[" + IntToStr(line.CalPoints[p].X) + "," + IntToStr(line.CalPoints[p].Y) + "] ";
    out.push_back(pts);
    out.push_back("</calline>");
  }
  const int quads = std::clamp(D.NumCalQuads, 0, MaxCalibQuads);
  if (!toFile || quads > 0) {
    out.push_back("<calquads npoints=\"" + IntToStr(quads) + "\">");
    std::string entries;
    for (int q = 0; q < quads; ++q) {
      const TCalQuad& e = D.CalQuads[q];
      entries += "[" + Fixed5(e.Latitude) + "," + Fixed5(e.Longitude) + "," + IntToStr(e.MapX) + "," +
                 IntToStr(e.MapY) + "] ";
    }
    out.push_back(entries);
    out.push_back("</calquads>");
  }
  out.push_back("</geomap>");
  return out;
}

}  // namespace

void WriteRawCalDataToOpenXMLFile(TTextFile& OutFile, bool WithHeader, const std::string& DataID,
                                  const TCalibData& CalData, TCalibModel Model) {
  for (const std::string& line : BlockLines(TBlockForm::TextFile, WithHeader, DataID, CalData, Model))
    OutFile.WriteLn(line);
}

void WriteRawCalDataToStream(TStream* OutStream, const std::string& DataID, const TCalibData& CalData,
                             TCalibModel Model) {
  for (const std::string& line : BlockLines(TBlockForm::Stream, true, DataID, CalData, Model))
    WriteLnStream(OutStream, line);
}

}  // namespace orq
