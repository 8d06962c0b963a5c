// Conversions per second of each calibration model, in both directions, and
// the cost of refitting the conic model with 200 quadruples.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "orqcarta/Orq_GeoMap.h"

namespace orq {
namespace {

constexpr int W = 1200, H = 1000;
constexpr double Deg = M_PI / 180;

TCoords AffineTruth(int x, int y) { return TCoords{55 - 0.01 * y, 5 + 0.0125 * x}; }

TCoords LambertTruth(int x, int y) {
  constexpr double R = 6371000, Scale = 1200, Phi0 = 50 * Deg;
  const double n = std::sin(Phi0);
  const double F = std::cos(Phi0) * std::pow(std::tan(M_PI / 4 + Phi0 / 2), n) / n;
  const double rho0 = R * F / std::pow(std::tan(M_PI / 4 + Phi0 / 2), n);
  const double dx = (x - 600) * Scale, dy = (y - (500 - rho0 / Scale)) * Scale;
  const double phi = 2 * std::atan(std::pow(R * F / std::hypot(dx, dy), 1 / n)) - M_PI / 2;
  return TCoords{phi / Deg, 12.5 + std::atan2(dx, dy) / n / Deg};
}

std::vector<TPoint> Pixels(int n, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> ux(0, W - 1), uy(0, H - 1);
  std::vector<TPoint> p(n);
  for (TPoint& q : p) q = TPoint{ux(rng), uy(rng)};
  return p;
}

std::unique_ptr<TGeoMap> MakeMap(TCalibModel model, int quads = 25) {
  auto m = std::make_unique<TGeoMap>();
  TBitmap bmp;
  bmp.SetSize(W, H);
  m->SetMapBitMap(&bmp);
  m->SetSuppressPaint(true);
  m->SetCalibModel(model);
  if (model == cmParabolicIp) {
    // Five parallels (55..45) and five meridians (5..20), five points each.
    for (int k = 0; k < 5; ++k)
      for (int i = 0; i < 5; ++i) {
        m->AddCalibPoint(gtlParallel, 55 - 2.5 * k, i * 300, k * 250);
        m->AddCalibPoint(gtlMeridian, 5 + 3.75 * k, k * 300, i * 250);
      }
  } else if (model == cmUTM) {
    m->SetUTMZone(32);
    for (const TPoint& p : Pixels(quads, 7)) m->AddCalibPoint(5400000 - 50.0 * p.Y, 700000 + 50.0 * p.X, 32, hemiNorth, p.X, p.Y);
  } else {
    for (const TPoint& p : Pixels(quads, 7)) {
      const TCoords g = model == cmConicConformal ? LambertTruth(p.X, p.Y) : AffineTruth(p.X, p.Y);
      m->AddCalibPoint(g.Latit, g.Longit, p.X, p.Y);
    }
  }
  return m;
}

const char* ModelName(TCalibModel m) {
  static const char* names[] = {"Parabolic", "Biquadratic", "Conic", "Miller", "EquiRect", "UTM"};
  return names[m];
}

void BM_PixelToGeo(benchmark::State& state) {
  const auto model = static_cast<TCalibModel>(state.range(0));
  const auto m = MakeMap(model);
  const std::vector<TPoint> pts = Pixels(1024, 3);
  size_t i = 0;
  for (auto _ : state) {
    const TPoint& p = pts[i++ & 1023];
    bool v1 = false, v2 = false;
    benchmark::DoNotOptimize(m->CalcLatitude(p.X, p.Y, v1));
    benchmark::DoNotOptimize(m->CalcLongitude(p.X, p.Y, v2));
  }
  state.SetLabel(ModelName(model));
  state.SetItemsProcessed(state.iterations());
}

void BM_GeoToPixel(benchmark::State& state) {
  const auto model = static_cast<TCalibModel>(state.range(0));
  const auto m = MakeMap(model);
  std::vector<TCoords> geo;
  for (const TPoint& p : Pixels(1024, 3)) {
    bool v = false;
    geo.push_back(TCoords{m->CalcLatitude(p.X, p.Y, v), m->CalcLongitude(p.X, p.Y, v)});
  }
  size_t i = 0;
  int x = 0, y = 0;
  for (auto _ : state) {
    const TCoords& g = geo[i++ & 1023];
    benchmark::DoNotOptimize(m->CalcPixelCoords(g.Latit, g.Longit, x, y));
  }
  state.SetLabel(ModelName(model));
  state.SetItemsProcessed(state.iterations());
}

void BM_ConicRecalc200(benchmark::State& state) {
  const auto m = MakeMap(cmConicConformal, 200);
  for (auto _ : state) m->RecalcCalibration();
  state.SetLabel("200 quadruples");
}

BENCHMARK(BM_PixelToGeo)->DenseRange(cmParabolicIp, cmUTM);
BENCHMARK(BM_GeoToPixel)->DenseRange(cmParabolicIp, cmUTM);
BENCHMARK(BM_ConicRecalc200)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orq
