// The demo's real data: MWDB-II outlines on the generated map, and the
// capitals on Blue Marble.
#include "demo_world.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

#include "ErrorReport.h"
#include "orqcarta/Orq_GeoBasics.h"
#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/ImageCodecs.h"
#include "orqplatform/PictureFiles.h"
#include "orqplatform/StretchBlt.h"
#include "render_command.h"
#include "tile_calibration.h"

namespace orq::cli {

namespace {

const TColor CoastColour = RGB(70, 110, 150);
const TColor BorderColour = RGB(150, 90, 110);
const TColor CapitalFill = RGB(255, 210, 60);
const TColor CapitalInk = RGB(20, 20, 20);
constexpr const char* BlueMarble = "maps/earth/bluemarble/bluemarble.jpg";

void AddFile(const std::filesystem::path& File, int MinLevel, std::vector<TPntLine>& Into) {
  if (!std::filesystem::exists(File)) return;
  TPntContents c = ReadPntFile(File.string(), MinLevel);
  for (TPntLine& line : c.Lines) Into.push_back(std::move(line));
}

void DrawLines(const TGeoMap& Map, TCanvas* Canvas, const std::vector<TPntLine>& Lines) {
  std::vector<TPoint> run;
  for (const TPntLine& line : Lines) {
    run.clear();
    for (const TSCoords& p : line.Points) {
      int x = 0, y = 0;
      if (!Map.CalcPixelCoords(p.Latit, p.Longit, x, y)) continue;
      run.push_back(Map.MapImageToControl(TPoint{x, y}));
    }
    if (run.size() >= 2) Canvas->Polyline(run);
  }
}

}  // namespace

TWorldVectors LoadWorldVectors(const std::string& Folder, int MinLevel) {
  TWorldVectors v;
  const std::filesystem::path dir = std::filesystem::path(Folder) / "mwdbii";
  for (const char* name : {"PCOAST.PNT", "PISLAND.PNT", "PLAKE.PNT"}) AddFile(dir / name, MinLevel, v.Coasts);
  AddFile(dir / "PDIFFBORDER.PNT", MinLevel, v.Borders);
  return v;
}

void DrawWorldVectors(const TGeoMap& Map, TCanvas* Canvas, const TWorldVectors& Vectors) {
  Canvas->Pen = TPen{CoastColour, 1, psSolid, pmCopy};
  DrawLines(Map, Canvas, Vectors.Coasts);
  Canvas->Pen = TPen{BorderColour, 1, psDot, pmCopy};
  DrawLines(Map, Canvas, Vectors.Borders);
}

int RunWorldDemo(const std::string& Folder, const std::string& Output, TCliContext& Context) {
  const std::filesystem::path file = std::filesystem::path(Folder) / BlueMarble;
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    ReportError(Context.Err, "demo", "--world needs Blue Marble from the marble-data package (" + file.string() +
                                         " is missing)");
    return ExitFailure;
  }
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  TRawImage raw = DecodeImage(bytes.data(), bytes.size());
  int w = 0, h = 0;
  FitFactor(raw.Width, raw.Height, MaxImagePixels, w, h);
  TBitmap full, fitted;
  const int fullW = raw.Width, fullH = raw.Height;
  full.AdoptPixels(fullW, fullH, std::move(raw.Pixels), pf24bit);
  fitted.SetSize(w, h);
  SetStretchBltMode(fitted.Canvas(), HALFTONE);
  StretchBlt(fitted.Canvas(), 0, 0, w, h, full.Canvas(), 0, 0, fullW, fullH, SRCCOPY);

  const int picW = (w + 1) / 2, picH = (h + 1) / 2;
  TGeoMap map;
  map.SetName("demo");
  map.SetSuppressPaint(true);
  map.SetBounds(0, 0, picW, picH);
  map.SetFrameStyle(frNone);
  map.SetMapBitMap(&fitted);
  map.SetCalibData(PlateCarreeCalibration(w, h, 90, -90, -180, 180));
  map.SetCalibModel(cmEquiRect);
  map.SetColorGraticule(RGB(200, 200, 200));
  map.SetGratLineDist(30);
  map.SetShowGraticule(sgLines);
  int count = 0;
  for (const TCountryData& country : CountryData) {
    if (country.Capital.empty()) continue;
    TLandMark lm = map.LandMarkDefault();
    lm.Latitude = country.CapLat;
    lm.Longitude = country.CapLong;
    lm.SymbolProps = {lmCircle, 3, CapitalInk, CapitalFill, false, 0, 0};
    lm.Caption.Text = std::string();
    lm.Identifier = std::string(country.ISO3166_3);
    map.AddLandMarkRecord(lm);
    ++count;
  }
  map.SetMagnification(static_cast<double>(picW) / w);
  map.SetTopLeft(TPoint{0, 0});
  map.SetSuppressPaint(false);
  map.Paint();
  SavePictureFile(*map.AuxBmp(), Output, picW, picH);
  Context.Out << "orqcarta demo --world: wrote " << Output << " (" << picW << " x " << picH << " pixels)\n"
              << "map:           Blue Marble (NASA, public domain) " << fullW << " x " << fullH << ", fitted to " << w
              << " x " << h << " pixels (at most " << MaxImagePixels << ")\n"
              << "capitals:      " << count << '\n';
  PrintPictureBounds(Context.Out, map);
  return ExitOk;
}

}  // namespace orq::cli
