// UTM, cartesian and Helmert throughput against GeographicLib and PROJ on the
// same points, in points per second; the ratios are printed at the end.
#include <benchmark/benchmark.h>
#include <proj.h>

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/UTMUPS.hpp>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "orqcarta/Orq_GeoBasics.h"
#include "reference_series.h"

namespace {

using namespace orq;

constexpr int kPoints = 4096;

// Points of UTM zone 32 (6..12 E, 0..72 N) with heights, and their grid coordinates.
struct Points {
  std::vector<double> lat, lon, h, easting, northing;
  Points() {
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> la(0.5, 71.5), lo(6.01, 11.99), hh(-100, 3000);
    for (int i = 0; i < kPoints; ++i) {
      lat.push_back(la(rng));
      lon.push_back(lo(rng));
      h.push_back(hh(rng));
      int zone;
      double e, n;
      LatLongToUTM(lat.back(), lon.back(), gelWGS84, zone, e, n);
      easting.push_back(e);
      northing.push_back(n);
    }
  }
};

const Points& P() {
  static const Points p;
  return p;
}

void Count(benchmark::State& state) { state.SetItemsProcessed(state.iterations() * kPoints); }

// --- UTM forward ------------------------------------------------------------

void BM_Orq_LatLongToUTM(benchmark::State& state) {
  const Points& p = P();
  for (auto _ : state) {
    for (int i = 0; i < kPoints; ++i) {
      int zone;
      double e, n;
      LatLongToUTM(p.lat[i], p.lon[i], gelWGS84, zone, e, n);
      benchmark::DoNotOptimize(e);
      benchmark::DoNotOptimize(n);
    }
  }
  Count(state);
}

void BM_Transcription_LatLongToUTM(benchmark::State& state) {
  const Points& p = P();
  for (auto _ : state) {
    for (int i = 0; i < kPoints; ++i) {
      int zone;
      double e, n;
      reference::LatLongToUTM(p.lat[i], p.lon[i], gelWGS84, zone, e, n);
      benchmark::DoNotOptimize(e);
      benchmark::DoNotOptimize(n);
    }
  }
  Count(state);
}

void BM_GeographicLib_UTMUPS_Forward(benchmark::State& state) {
  const Points& p = P();
  for (auto _ : state) {
    for (int i = 0; i < kPoints; ++i) {
      int zone;
      bool northp;
      double x, y;
      GeographicLib::UTMUPS::Forward(p.lat[i], p.lon[i], zone, northp, x, y);
      benchmark::DoNotOptimize(x);
      benchmark::DoNotOptimize(y);
    }
  }
  Count(state);
}

// --- UTM inverse ------------------------------------------------------------

void BM_Orq_UTMToLatLong(benchmark::State& state) {
  const Points& p = P();
  for (auto _ : state) {
    for (int i = 0; i < kPoints; ++i) {
      double la, lo;
      UTMToLatLong(p.easting[i], p.northing[i], 32, false, gelWGS84, la, lo);
      benchmark::DoNotOptimize(la);
      benchmark::DoNotOptimize(lo);
    }
  }
  Count(state);
}

void BM_Transcription_UTMToLatLong(benchmark::State& state) {
  const Points& p = P();
  for (auto _ : state) {
    for (int i = 0; i < kPoints; ++i) {
      double la, lo;
      reference::UTMToLatLong(p.easting[i], p.northing[i], 32, false, gelWGS84, la, lo);
      benchmark::DoNotOptimize(la);
      benchmark::DoNotOptimize(lo);
    }
  }
  Count(state);
}

void BM_GeographicLib_UTMUPS_Reverse(benchmark::State& state) {
  const Points& p = P();
  for (auto _ : state) {
    for (int i = 0; i < kPoints; ++i) {
      double la, lo;
      GeographicLib::UTMUPS::Reverse(32, true, p.easting[i], p.northing[i], la, lo);
      benchmark::DoNotOptimize(la);
      benchmark::DoNotOptimize(lo);
    }
  }
  Count(state);
}

// --- PROJ batches -------------------------------------------------------------

class Proj {
 public:
  explicit Proj(const std::string& definition, bool crsToCrs = false) {
    ctx_ = proj_context_create();
    if (crsToCrs) {
      const auto sep = definition.find(' ');
      pj_ = proj_create_crs_to_crs(ctx_, definition.substr(0, sep).c_str(), definition.substr(sep + 1).c_str(),
                                   nullptr);
    } else {
      pj_ = proj_create(ctx_, definition.c_str());
    }
  }
  ~Proj() {
    proj_destroy(pj_);
    proj_context_destroy(ctx_);
  }
  PJ* get() const { return pj_; }

 private:
  PJ_CONTEXT* ctx_ = nullptr;
  PJ* pj_ = nullptr;
};

// Transforms copies of (a, b[, c]) in place, one proj_trans_generic call a batch.
void RunProjBatch(benchmark::State& state, PJ* pj, PJ_DIRECTION dir, const std::vector<double>& a,
                  const std::vector<double>& b, const std::vector<double>* c) {
  if (!pj) {
    state.SkipWithError("PROJ could not build the transformation");
    return;
  }
  std::vector<double> x(a), y(b), z(c ? *c : std::vector<double>());
  for (auto _ : state) {
    state.PauseTiming();
    x = a;
    y = b;
    if (c) z = *c;
    state.ResumeTiming();
    proj_trans_generic(pj, dir, x.data(), sizeof(double), kPoints, y.data(), sizeof(double), kPoints,
                       c ? z.data() : nullptr, sizeof(double), c ? kPoints : 0, nullptr, 0, 0);
    benchmark::DoNotOptimize(x.data());
  }
  Count(state);
}

const char* const kUtm32Exact =
    "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step +proj=utm +zone=32 +ellps=WGS84";
const char* const kUtm32Approx =
    "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step +proj=utm +zone=32 +ellps=WGS84 +approx";

void BM_PROJ_4326_to_32632(benchmark::State& state) {
  const Proj pj("EPSG:4326 EPSG:32632", true);  // axis order latitude, longitude
  RunProjBatch(state, pj.get(), PJ_FWD, P().lat, P().lon, nullptr);
}

void BM_PROJ_utm_Forward(benchmark::State& state) {
  const Proj pj(kUtm32Exact);
  RunProjBatch(state, pj.get(), PJ_FWD, P().lon, P().lat, nullptr);
}

void BM_PROJ_utm_approx_Forward(benchmark::State& state) {
  const Proj pj(kUtm32Approx);
  RunProjBatch(state, pj.get(), PJ_FWD, P().lon, P().lat, nullptr);
}

void BM_PROJ_32632_to_4326(benchmark::State& state) {
  const Proj pj("EPSG:32632 EPSG:4326", true);
  RunProjBatch(state, pj.get(), PJ_FWD, P().easting, P().northing, nullptr);
}

void BM_PROJ_utm_approx_Inverse(benchmark::State& state) {
  const Proj pj(kUtm32Approx);
  RunProjBatch(state, pj.get(), PJ_INV, P().easting, P().northing, nullptr);
}

// --- Cartesian ----------------------------------------------------------------

void BM_Orq_GeoToCartesian(benchmark::State& state) {
  const Points& p = P();
  for (auto _ : state) {
    for (int i = 0; i < kPoints; ++i) {
      double X, Y, Z;
      GeoToCartesian(p.lat[i], p.lon[i], p.h[i], gelWGS84, X, Y, Z);
      benchmark::DoNotOptimize(X);
      benchmark::DoNotOptimize(Y);
      benchmark::DoNotOptimize(Z);
    }
  }
  Count(state);
}

void BM_GeographicLib_Geocentric_Forward(benchmark::State& state) {
  const Points& p = P();
  const GeographicLib::Geocentric& geo = GeographicLib::Geocentric::WGS84();
  for (auto _ : state) {
    for (int i = 0; i < kPoints; ++i) {
      double X, Y, Z;
      geo.Forward(p.lat[i], p.lon[i], p.h[i], X, Y, Z);
      benchmark::DoNotOptimize(X);
      benchmark::DoNotOptimize(Y);
      benchmark::DoNotOptimize(Z);
    }
  }
  Count(state);
}

// --- Helmert ------------------------------------------------------------------

void BM_Orq_Helmert(benchmark::State& state) {
  const int src = static_cast<int>(state.range(0));
  const Points& p = P();
  for (auto _ : state) {
    for (int i = 0; i < kPoints; ++i) {
      double la, lo, h;
      benchmark::DoNotOptimize(HelmertTransform(src, p.lat[i], p.lon[i], p.h[i], 269, la, lo, h));
      benchmark::DoNotOptimize(la);
      benchmark::DoNotOptimize(lo);
      benchmark::DoNotOptimize(h);
    }
  }
  Count(state);
}

std::string HelmertPipeline(int src) {
  const TGeoDatum& d = GeoDatumData[src - 1];
  std::ostringstream s;
  s.precision(17);
  s << "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step +proj=cart +a="
    << GeoEllipsoidData[d.Ellipsoid][0] << " +b=" << GeoEllipsoidData[d.Ellipsoid][1] << " +step +proj=helmert +x="
    << d.DX << " +y=" << d.DY << " +z=" << d.DZ << " +rx=" << d.RotX << " +ry=" << d.RotY << " +rz=" << d.RotZ
    << " +s=" << d.Scale << " +convention=position_vector"
    << " +step +inv +proj=cart +ellps=WGS84 +step +proj=unitconvert +xy_in=rad +xy_out=deg";
  return s.str();
}

void BM_PROJ_Helmert(benchmark::State& state) {
  const Proj pj(HelmertPipeline(static_cast<int>(state.range(0))));
  RunProjBatch(state, pj.get(), PJ_FWD, P().lon, P().lat, &P().h);
}

BENCHMARK(BM_Orq_LatLongToUTM);
BENCHMARK(BM_Transcription_LatLongToUTM);
BENCHMARK(BM_GeographicLib_UTMUPS_Forward);
BENCHMARK(BM_PROJ_4326_to_32632);
BENCHMARK(BM_PROJ_utm_Forward);
BENCHMARK(BM_PROJ_utm_approx_Forward);
BENCHMARK(BM_Orq_UTMToLatLong);
BENCHMARK(BM_Transcription_UTMToLatLong);
BENCHMARK(BM_GeographicLib_UTMUPS_Reverse);
BENCHMARK(BM_PROJ_32632_to_4326);
BENCHMARK(BM_PROJ_utm_approx_Inverse);
BENCHMARK(BM_Orq_GeoToCartesian);
BENCHMARK(BM_GeographicLib_Geocentric_Forward);
BENCHMARK(BM_Orq_Helmert)->Arg(59)->Arg(183);
BENCHMARK(BM_PROJ_Helmert)->Arg(59)->Arg(183);

// Keeps every run's rate so that main can print the ratios.
class RateReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      // With repetitions the median stands for the benchmark.
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      const auto it = run.counters.find("items_per_second");
      if (!run.error_occurred && it != run.counters.end()) rates[run.run_name.str()] = it->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> rates;
};

void PrintRatio(const RateReporter& r, const char* ours, const char* peer) {
  const auto a = r.rates.find(ours), b = r.rates.find(peer);
  if (a == r.rates.end() || b == r.rates.end()) return;
  std::printf("  %-30s %8.2f M/s  vs %-34s %8.2f M/s  ratio %5.2f\n", ours, a->second / 1e6, peer, b->second / 1e6,
              a->second / b->second);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RateReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nPoints per second, ours against peers:\n");
  const char* const forwardPeers[] = {"BM_GeographicLib_UTMUPS_Forward", "BM_PROJ_4326_to_32632",
                                      "BM_PROJ_utm_Forward", "BM_PROJ_utm_approx_Forward",
                                      "BM_Transcription_LatLongToUTM"};
  for (const char* peer : forwardPeers) PrintRatio(reporter, "BM_Orq_LatLongToUTM", peer);
  const char* const inversePeers[] = {"BM_GeographicLib_UTMUPS_Reverse", "BM_PROJ_32632_to_4326",
                                      "BM_PROJ_utm_approx_Inverse", "BM_Transcription_UTMToLatLong"};
  for (const char* peer : inversePeers) PrintRatio(reporter, "BM_Orq_UTMToLatLong", peer);
  PrintRatio(reporter, "BM_Orq_GeoToCartesian", "BM_GeographicLib_Geocentric_Forward");
  PrintRatio(reporter, "BM_Orq_Helmert/59", "BM_PROJ_Helmert/59");
  PrintRatio(reporter, "BM_Orq_Helmert/183", "BM_PROJ_Helmert/183");
  benchmark::Shutdown();
  return 0;
}
