// orqcarta demo (the picture): a generated map of a region with the capitals
// of the country table on it, their symbols chosen by altitude and their
// captions placed so that they keep clear of each other where they can.
#include "demo_picture.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

#include "ErrorReport.h"
#include "demo_world.h"
#include "OutputFormat.h"
#include "orqcarta/Orq_GeoBasics.h"
#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/PictureFiles.h"
#include "render_command.h"

namespace orq::cli {

namespace {

constexpr const char* FontName = "DejaVu Sans";
constexpr int SymbolSize = 5;
constexpr int CaptionPoints = 8;
constexpr int Margin = 6;  // captions keep this far from the picture's edges
constexpr double LineDist = 5;

const TColor Ink = RGB(40, 44, 52);
const TColor GridColour = RGB(196, 206, 214);
const TColor LabelColour = RGB(120, 132, 144);
const TColor Paper = RGB(244, 241, 232);

// Altitude bands of the capitals, low to high, with the hypsometric tint
// of each; a capital without a recorded altitude (0) gets the plus.
struct TBand {
  int Below;  // metres
  TLandMarkElement Kind;
  TColor Fill;
  const char* Label;
};
const TBand Bands[] = {
    {1, lmPlus, RGB(90, 96, 110), "altitude not recorded"},
    {50, lmCircle, RGB(46, 139, 120), "below 50 m"},
    {200, lmSquare, RGB(120, 170, 70), "50 - 200 m"},
    {500, lmTriangle, RGB(214, 170, 40), "200 - 500 m"},
    {1000, lmSpade, RGB(200, 110, 40), "500 - 1000 m"},
    {1 << 30, lmCrossBox, RGB(150, 70, 50), "1000 m and higher"},
};

const TBand& BandOf(int Altitude) {
  if (Altitude == 0) return Bands[0];
  for (const TBand& b : Bands)
    if (b.Kind != lmPlus && Altitude < b.Below) return b;
  return Bands[std::size(Bands) - 1];
}

struct TBox {
  int L, T, R, B;
  bool Overlaps(const TBox& o) const { return L < o.R && o.L < R && T < o.B && o.T < B; }
  int OverlapArea(const TBox& o) const {
    const int w = std::min(R, o.R) - std::max(L, o.L), h = std::min(B, o.B) - std::max(T, o.T);
    return w > 0 && h > 0 ? w * h : 0;
  }
};

struct TCandidate {
  int dx, dy;
  TAlignment H;
  TVerticalAlignment V;
  int Direction = 0;
};

// Near positions first (right, left, above, below, the diagonals), then the
// same further out, then slanted captions for the crowded spots.
std::vector<TCandidate> Candidates() {
  std::vector<TCandidate> list;
  for (int g : {SymbolSize + 3, SymbolSize + 12, SymbolSize + 22}) {
    const int d = g - g / 4;
    list.insert(list.end(), {{g, 0, taLeftJustify, vaCenter},
                             {-g, 0, taRightJustify, vaCenter},
                             {0, -g, taCenter, vaBottom},
                             {0, g, taCenter, vaTop},
                             {d, -d, taLeftJustify, vaBottom},
                             {d, d, taLeftJustify, vaTop},
                             {-d, -d, taRightJustify, vaBottom},
                             {-d, d, taRightJustify, vaTop}});
  }
  for (int dir : {30, -30, 60, -60})
    list.push_back({SymbolSize + 2, dir > 0 ? -SymbolSize - 2 : SymbolSize + 2, taLeftJustify, vaCenter, dir});
  return list;
}

// The box the caption's text cell covers when drawn at P (the rotated cell's
// bounding box), by the same geometry DrawLandMarkCaption uses.
TBox CaptionBox(TCanvas& Measure, TPoint P, const TLMTextProperties& Caption) {
  Measure.Font.Name = Caption.FontName;
  Measure.Font.Size = Caption.Size;
  Measure.Font.Style = Caption.FontStyles;
  const std::string text = Caption.Text;
  const int w = Measure.TextWidth(text), h = Measure.TextHeight(text);
  const int a = Caption.HAlignment == taLeftJustify ? 0 : Caption.HAlignment == taRightJustify ? w - w % 2 : w / 2;
  const int b = Caption.VAlignment == vaTop ? 0 : Caption.VAlignment == vaBottom ? h - h % 2 : h / 2;
  const double phi = Caption.Direction * std::numbers::pi / 180, c = std::cos(phi), s = std::sin(phi);
  const double rx = P.X + Caption.dx + std::round(-a * c - b * s);
  const double ry = P.Y + Caption.dy + std::round(a * s - b * c);
  double l = 1e9, t = 1e9, r = -1e9, bo = -1e9;
  for (const auto& [u, v] : {std::pair{0, 0}, {w, 0}, {w, h}, {0, h}}) {
    const double x = rx + u * c + v * s, y = ry - u * s + v * c;
    l = std::min(l, x), r = std::max(r, x), t = std::min(t, y), bo = std::max(bo, y);
  }
  return {static_cast<int>(std::floor(l)), static_cast<int>(std::floor(t)), static_cast<int>(std::ceil(r)),
          static_cast<int>(std::ceil(bo))};
}

struct TPlaced {
  const TCountryData* Country;
  TPoint P;
  TLandMark LandMark;
};

// Greedy: the capitals with the most neighbours choose first; each takes the
// first free candidate, or failing that the one that covers least.
int PlaceCaptions(std::vector<TPlaced>& Capitals, TCanvas& Measure, int W, int H, std::vector<TBox> Taken) {
  for (const TPlaced& c : Capitals)
    Taken.push_back({c.P.X - SymbolSize - 1, c.P.Y - SymbolSize - 1, c.P.X + SymbolSize + 2, c.P.Y + SymbolSize + 2});
  std::vector<int> neighbours(Capitals.size(), 0);
  for (std::size_t i = 0; i < Capitals.size(); ++i)
    for (const TPlaced& o : Capitals)
      if (std::abs(o.P.X - Capitals[i].P.X) < 80 && std::abs(o.P.Y - Capitals[i].P.Y) < 40) ++neighbours[i];
  std::vector<std::size_t> order(Capitals.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return neighbours[a] > neighbours[b]; });

  const TBox inside{Margin, Margin, W - Margin, H - Margin};
  const auto candidates = Candidates();
  int clear = 0;
  for (std::size_t i : order) {
    TLMTextProperties& cap = Capitals[i].LandMark.Caption;
    long best = -1;
    TCandidate bestCandidate = candidates.front();
    TBox bestBox{};
    for (const TCandidate& k : candidates) {
      cap.dx = k.dx, cap.dy = k.dy, cap.HAlignment = k.H, cap.VAlignment = k.V, cap.Direction = k.Direction;
      const TBox box = CaptionBox(Measure, Capitals[i].P, cap);
      long cost = 0;
      if (box.L < inside.L || box.T < inside.T || box.R > inside.R || box.B > inside.B) cost += 1000000;
      for (const TBox& t : Taken) cost += t.OverlapArea(box);
      if (best < 0 || cost < best) best = cost, bestCandidate = k, bestBox = box;
      if (cost == 0) break;
    }
    cap.dx = bestCandidate.dx, cap.dy = bestCandidate.dy, cap.HAlignment = bestCandidate.H;
    cap.VAlignment = bestCandidate.V, cap.Direction = bestCandidate.Direction;
    Taken.push_back(bestBox);
    if (best == 0) ++clear;
  }
  return clear;
}

// Warm paper, neither land nor sea: the map has no coastlines. Flat, since
// the composition bitmap has 5 bits a channel and would band a gradient.
void DrawBackground(TCanvas* C, int W, int H) {
  C->Pen.Color = Paper;
  C->Brush.Style = bsSolid;
  C->Brush.Color = Paper;
  C->Rectangle(0, 0, W + 1, H + 1);
}

std::string DegreeLabel(double Value, bool Latitude) {
  const long v = std::lround(Value);
  const char* side = Latitude ? (v >= 0 ? "N" : "S") : (v >= 0 ? "E" : "W");
  return std::to_string(std::labs(v)) + "\xC2\xB0" + (v == 0 ? "" : side);
}

// Degree labels of the graticule lines along the top and left edges, in the
// image; the unframed generated map is linear in latitude and longitude.
void DrawDegreeLabels(TCanvas* C, const TDemoRegion& R, int W, int H) {
  C->Brush.Style = bsClear;
  C->Font.Name = FontName;
  C->Font.Size = 7;
  C->Font.Color = LabelColour;
  for (double lat = std::ceil(R.LatLow / LineDist) * LineDist; lat < R.LatHigh; lat += LineDist) {
    const int y = static_cast<int>(std::lround((R.LatHigh - lat) / (R.LatHigh - R.LatLow) * H));
    if (y < 12 || y > H - 12) continue;
    C->TextOut(4, y - C->TextHeight("0") - 1, DegreeLabel(lat, true));
  }
  for (double lon = std::ceil(R.LongLow / LineDist) * LineDist; lon < R.LongHigh; lon += LineDist) {
    const int x = static_cast<int>(std::lround((lon - R.LongLow) / (R.LongHigh - R.LongLow) * W));
    if (x < 30 || x > W - 30) continue;
    C->TextOut(x + 3, 2, DegreeLabel(lon, false));
  }
}

// Title and legend in a panel; its box is kept free of captions.
struct TLegend {
  static constexpr int Width = 190, Row = 17;
  TBox Box(int H) const { return {12, H - 12 - (static_cast<int>(std::size(Bands)) * Row + 44), 12 + Width, H - 12}; }
  void Draw(TCanvas* C, int H, const std::string& Title, int Count) const {
    const TBox b = Box(H);
    C->Pen.Color = RGB(170, 178, 186);
    C->Brush.Style = bsSolid;
    C->Brush.Color = RGB(252, 252, 250);
    C->Rectangle(b.L, b.T, b.R, b.B);
    C->Brush.Style = bsClear;
    C->Font.Name = FontName;
    C->Font.Color = Ink;
    C->Font.Size = 10;
    C->Font.Style = TFontStyles{fsBold};
    C->TextOut(b.L + 10, b.T + 7, Title);
    C->Font.Style = TFontStyles{};
    C->Font.Size = 7;
    C->TextOut(b.L + 10, b.T + 25, std::to_string(Count) + " capitals, by altitude");
    int y = b.T + 44 + Row / 2;
    for (const TBand& band : Bands) {
      C->Brush.Style = bsSolid;
      DrawLandMarkSymbolOnCanvas(C, b.L + 18, y, band.Kind, Ink, band.Fill, SymbolSize, 0, 0, false);
      C->Brush.Style = bsClear;
      C->Font.Color = Ink;
      C->TextOut(b.L + 32, y - C->TextHeight(band.Label) / 2, band.Label);
      y += Row;
    }
  }
};

}  // namespace

int RunDemoPicture(const TDemoRegion& Region, const std::string& Output, TCliContext& Context) {
  const int W = Region.Width, H = Region.Height;
  TGeoMap map;
  map.SetName("demo");
  map.SetSuppressPaint(true);
  map.SetBounds(0, 0, W, H);
  map.SetFrameStyle(frNone);
  map.CreateEmptyMapInMemory(Region.LatLow, Region.LongLow, Region.LatHigh, Region.LongHigh, LineDist, LineDist, W, H,
                             false, [&Region](TObject*, TCanvas* C, double, double, double, double, int w, int h) {
                               DrawBackground(C, w, h);
                               DrawDegreeLabels(C, Region, w, h);
                             });
  map.SetMagnification(1);
  map.SetTopLeft(TPoint{0, 0});
  map.SetColorGraticule(GridColour);
  map.SetGratLineDist(LineDist);
  map.SetShowGraticule(sgLines);
  const TWorldVectors world = Region.WorldData.empty() ? TWorldVectors{} : LoadWorldVectors(Region.WorldData, 1);
  if (!world.Empty()) map.SetOnBeforeRenderData([&](TObject*, TCanvas* C) { DrawWorldVectors(map, C, world); });

  std::vector<TPlaced> capitals;
  for (const TCountryData& country : CountryData) {
    if (country.Capital.empty()) continue;
    int x = 0, y = 0;
    if (!map.CalcPixelCoords(country.CapLat, country.CapLong, x, y)) continue;
    if (x < 10 || y < 10 || x > W - 10 || y > H - 10) continue;  // whole symbols only
    const TBand& band = BandOf(country.CapAlt);
    TLandMark lm;
    lm.Latitude = country.CapLat;
    lm.Longitude = country.CapLong;
    lm.Altitude = country.CapAlt;
    lm.SymbolProps = {band.Kind, SymbolSize, Ink, band.Fill, false, 0, 0};
    lm.Caption.Text = std::string(country.Capital);
    lm.Caption.Size = CaptionPoints;
    lm.Caption.FontName = FontName;
    lm.Caption.FGColor = Ink;
    lm.Caption.Transparent = true;
    lm.Identifier = std::string(country.ISO3166_3);
    capitals.push_back({&country, TPoint{x, y}, lm});
  }

  const TLegend legend;
  const std::string title = Region.IsDefault ? "Capitals of Europe" : "Capitals";
  TBitmap measure;
  measure.SetSize(8, 8);
  const int clear = PlaceCaptions(capitals, *measure.Canvas(), W, H, {legend.Box(H)});
  for (const TPlaced& c : capitals) map.AddLandMarkRecord(c.LandMark);
  const int count = static_cast<int>(capitals.size());
  map.SetOnDataRendered([&](TObject*, TCanvas* C) { legend.Draw(C, H, title, count); });

  map.SetSuppressPaint(false);
  map.Paint();
  try {
    SavePictureFile(*map.AuxBmp(), Output, W, H);
  } catch (const std::exception& e) {
    ReportError(Context.Err, "demo", "cannot write \"" + Printable(Output, 200) + "\": " + e.what());
    return ExitFailure;
  }
  std::error_code ec;
  const auto where = std::filesystem::absolute(Output, ec);
  Context.Out << "orqcarta demo: wrote " << (ec ? Output : where.lexically_normal().string()) << " (" << W << " x " << H << " pixels)\n"
              << "capitals:      " << count << " placed, " << clear << " captions clear of all others\n"
              << "region:        latitude " << Region.LatLow << " .. " << Region.LatHigh << ", longitude "
              << Region.LongLow << " .. " << Region.LongHigh << '\n';
  if (!world.Empty())
    Context.Out << "world data:    " << world.Coasts.size() << " coastlines, islands and lakes and " << world.Borders.size()
                << " borders of MWDB-II (public domain) from " << Region.WorldData << "/mwdbii\n";
  else
    Context.Out << "world data:    none (install marble-data for the coastlines and borders)\n";
  PrintPictureBounds(Context.Out, map);
  Context.Out << "(orqcarta demo --geodesy shows the geodesy tables of the capitals)\n";
  return ExitOk;
}

}  // namespace orq::cli
