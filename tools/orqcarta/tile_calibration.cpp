// Moving, scaling and writing calibration blocks for derived pictures.
#include "tile_calibration.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "ErrorReport.h"
#include "orqcarta/geomap/CalibMath.h"
#include "orqplatform/TextFile.h"

namespace orq::cli {

namespace {

int Move(int Value, double Factor, int Offset) {
  int scaled = 0;
  if (!RoundToPixel(Value * Factor, scaled)) scaled = Value * Factor > 0 ? MaxPixelCoordinate : -MaxPixelCoordinate;
  return scaled - Offset;
}

}  // namespace

bool ReadCalibration(const std::string& File, const std::string& Id, TCalibData& Data, TCalibModel& Model) {
  Data = TCalibData{};
  Data.UTMZone = -1;  // a block without "utmzone" has none
  Model = cmUndefined;
  return ParseCalibData(File, Id, Data, Model);
}

bool ReadCalibrationOrReport(const std::string& File, const std::string& Id, TCalibData& Data, TCalibModel& Model,
                             const std::string& Command, std::ostream& Err) {
  try {
    if (ReadCalibration(File, Id, Data, Model)) return true;
    ReportError(Err, Command, "no calibration block in \"" + Printable(File, 200) + "\"");
  } catch (const EOrqError& e) {
    ReportError(Err, Command, "malformed block in \"" + Printable(File, 200) + "\": " + e.what());
  }
  return false;
}

TCalibData MovedCalibration(const TCalibData& Data, double Factor, int OffsetX, int OffsetY) {
  TCalibData out = Data;
  for (int k = 0; k < std::clamp(out.NumCalLines, 0, MaxCalibLines); ++k) {
    TCalibLine& line = out.CalLines[k];
    for (int p = 0; p < std::clamp(line.NumPoints, 0, MaxPointsPerLine); ++p) {
      line.CalPoints[p].X = Move(line.CalPoints[p].X, Factor, OffsetX);
      line.CalPoints[p].Y = Move(line.CalPoints[p].Y, Factor, OffsetY);
    }
  }
  for (int q = 0; q < std::clamp(out.NumCalQuads, 0, MaxCalibQuads); ++q) {
    out.CalQuads[q].MapX = Move(out.CalQuads[q].MapX, Factor, OffsetX);
    out.CalQuads[q].MapY = Move(out.CalQuads[q].MapY, Factor, OffsetY);
  }
  return out;
}

void WriteCalibration(const std::string& XmlFile, TCalibData Data, TCalibModel Model, int Width, int Height,
                      const std::string& ImageFile, const std::string& Caption) {
  // The corners and resolution come from the map control's own derivation,
  // which needs a picture of the right size; a blank one serves. A picture
  // over the control's limit (a scan to be fitted or split) gets its corners
  // converted directly and its resolution from a reduced copy of the block.
  const long long pixels = static_cast<long long>(Width) * Height;
  const int k = pixels > MaxImagePixels
                    ? static_cast<int>(std::ceil(std::sqrt(static_cast<double>(pixels) / MaxImagePixels)))
                    : 1;
  {
    TBitmap blank;
    blank.SetSize(std::max(1, Width / k), std::max(1, Height / k));
    TGeoMap map;
    map.SetSuppressPaint(true);
    map.SetMapBitMap(&blank);
    map.SetCalibData(k == 1 ? Data : MovedCalibration(Data, 1.0 / k, 0, 0));
    map.SetCalibModel(Model);
    if (k == 1) {
      Data = map.CalibData();
    } else {
      Data.Resolution = map.CalibData().Resolution * blank.Width() / Width;
      map.SetCalibData(Data);
      map.SetCalibModel(Model);
      const TPoint corners[4] = {{0, 0}, {0, Height}, {Width, Height}, {Width, 0}};
      for (int c = gcoTopLeft; c <= gcoTopRight; ++c) {
        bool valid = false;
        Data.Corners[c].Latit = map.CalcLatitude(corners[c], valid);
        Data.Corners[c].Longit = map.CalcLongitude(corners[c], valid);
      }
    }
  }
  Data.MapFName = std::filesystem::absolute(ImageFile).lexically_normal().string();
  Data.Caption = Caption;
  TTextFile out(XmlFile);
  out.Rewrite();
  WriteRawCalDataToOpenXMLFile(out, true, std::filesystem::path(XmlFile).stem().string(), Data, Model);
  out.Close();
}

TCalibData PlateCarreeCalibration(int Width, int Height, double LatTop, double LatBottom, double LongLeft,
                                  double LongRight) {
  TCalibData d;
  d.UTMZone = -1;
  const int xs[3] = {0, Width / 2, Width}, ys[3] = {0, Height / 2, Height};
  for (int y : ys)
    for (int x : xs) {
      TCalQuad& q = d.CalQuads[d.NumCalQuads++];
      q.MapX = x;
      q.MapY = y;
      q.Latitude = LatTop + (LatBottom - LatTop) * y / Height;
      q.Longitude = LongLeft + (LongRight - LongLeft) * x / Width;
    }
  return d;
}

double FitFactor(int Width, int Height, long long MaxPixels, int& NewWidth, int& NewHeight) {
  // The factor is NewWidth / Width exactly, so that the right edge, and for
  // an even width the middle, land on whole pixels again.
  const double start = std::sqrt(static_cast<double>(MaxPixels) / (static_cast<double>(Width) * Height));
  int w = std::min(Width, static_cast<int>(Width * start) + 1);
  for (;; --w) {
    if (w > 1 && w < Width && Width % 2 == 0 && w % 2 != 0) continue;
    const double f = static_cast<double>(w) / Width;
    const int h = std::max(1, static_cast<int>(std::nearbyint(Height * f)));
    if (static_cast<long long>(w) * h <= MaxPixels || w <= 1) {
      NewWidth = std::max(1, w);
      NewHeight = h;
      return static_cast<double>(NewWidth) / Width;
    }
  }
}

}  // namespace orq::cli
