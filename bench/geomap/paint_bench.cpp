// One full repaint of a 1280 x 800 map control over a 2000 x 1500
// equirectangular image: image section, graticule, landmarks and frame.
// The same layers are drawn with QPainter on a QImage (Format_RGB32) as a
// yardstick. Each iteration pans by a few pixels so that only the image
// cache (magnification 0.5) is reused.
//
// Case: Arg 0 = magnification index (0.5, 1, 3), Arg 1 = landmark count.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "orqcarta/Orq_GeoMap.h"

#ifdef ORQ_BENCH_HAVE_QT
#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPolygon>
#endif

namespace orq {
namespace {

constexpr int ImgW = 2000, ImgH = 1500, CtlW = 1280, CtlH = 800;
constexpr double Mags[] = {0.5, 1, 3};
constexpr int Threshold = 20000;
// Image pixel (x, y) <-> (60 - 0.01 y, 0.01 x): 15 parallels, 20 meridians.
constexpr double North = 60, West = 0, DegPerPx = 0.01;

// Gradients in all three channels plus per-pixel noise, so that filtering
// has real work and nothing compresses into runs.
void FillPattern(TBitmap& bmp) {
  std::mt19937 rng(11);
  for (int y = 0; y < ImgH; ++y) {
    uint32_t* row = bmp.ScanLine(y);
    for (int x = 0; x < ImgW; ++x) {
      const uint32_t n = rng() & 0x3F;
      const uint32_t r = (x * 191 / ImgW + n) & 0xFF, g = (y * 191 / ImgH + (n >> 1)) & 0xFF,
                     b = ((x + y) * 127 / (ImgW + ImgH) + 64 + (n >> 2)) & 0xFF;
      row[x] = r | (g << 8) | (b << 16);
    }
  }
}

struct TLM {
  double Lat, Lon;
};

std::vector<TLM> Landmarks(int n) {
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> ux(0, ImgW - 1), uy(0, ImgH - 1);
  std::vector<TLM> v(n);
  for (TLM& l : v) {
    const double x = ux(rng), y = uy(rng);
    l = TLM{North - DegPerPx * y, West + DegPerPx * x};
  }
  return v;
}

// Pan offsets: a small loop of moves around the case's start position.
TPoint PanStart(double M) {
  if (M < 1) return TPoint{0, 0};
  return TPoint{ImgW / 2 - static_cast<int>(CtlW / M / 2), ImgH / 2 - static_cast<int>(CtlH / M / 2)};
}
TPoint Pan(TPoint Start, int64_t i) {
  const int k = static_cast<int>(i % 32);
  return TPoint{Start.X + 3 * (k < 16 ? k : 32 - k) - 24, Start.Y + 2 * (k < 16 ? k : 32 - k) - 16};
}

std::string CaseName(double M, int n) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "mag=%g lm=%d", M, n);
  return buf;
}

std::unique_ptr<TBitmap> MapImage() {
  auto img = std::make_unique<TBitmap>();
  img->SetSize(ImgW, ImgH);
  FillPattern(*img);
  return img;
}

void BM_OursPaint(benchmark::State& state) {
  const double M = Mags[state.range(0)];
  const int n = static_cast<int>(state.range(1));
  TGeoMap m;
  m.SetSuppressPaint(true);
  m.SetBounds(0, 0, CtlW, CtlH);
  m.SetMapBitMap(MapImage().get());
  m.SetCalibModel(cmEquiRect);
  m.AddCalibPoint(North, West, 0, 0);
  m.AddCalibPoint(North, West + DegPerPx * 2000, 2000, 0);
  m.AddCalibPoint(North - DegPerPx * 1500, West, 0, 1500);
  m.AddCalibPoint(North - DegPerPx * 1500, West + DegPerPx * 2000, 2000, 1500);
  m.SetGratLineDist(1);
  m.SetShowGraticule(sgLines);
  // The default landmark: lmCross of size 7 with its halo, no caption.
  for (const TLM& l : Landmarks(n)) m.AddLandMark(l.Lat, l.Lon, 0);
  m.SetLMRandomDisplayThreshold(Threshold);
  m.SetMagnification(M);
  const TPoint start = PanStart(M);
  m.SetTopLeft(start);
  m.SetSuppressPaint(false);  // first paint builds the image cache at 0.5
  int64_t i = 0;
  for (auto _ : state) {
    m.SetTopLeft(Pan(start, i++));  // one full Paint
    benchmark::ClobberMemory();
  }
  state.SetLabel("ours " + CaseName(M, n));
}

#ifdef ORQ_BENCH_HAVE_QT

QImage ToQImage(TBitmap& bmp) {
  QImage q(bmp.Width(), bmp.Height(), QImage::Format_RGB32);
  for (int y = 0; y < bmp.Height(); ++y) {
    const uint32_t* s = bmp.ScanLine(y);
    auto* d = reinterpret_cast<QRgb*>(q.scanLine(y));
    for (int x = 0; x < bmp.Width(); ++x) d[x] = qRgb(s[x] & 0xFF, (s[x] >> 8) & 0xFF, (s[x] >> 16) & 0xFF);
  }
  return q;
}

// The same layers with QPainter: section (pre-scaled copy at 0.5, smooth
// drawImage otherwise), 15 + 20 graticule polylines of 11 vertices each,
// halo crosses with the same sampling rule, a double lowered frame, then
// a 1:1 copy into the "window" image.
void BM_QPainterPaint(benchmark::State& state) {
  const double M = Mags[state.range(0)];
  const int n = static_cast<int>(state.range(1));
  const QImage source = ToQImage(*MapImage());
  const QImage cache = M < 2.0 / 3 ? source.scaled(static_cast<int>(std::lround(ImgW * M)),
                                                   static_cast<int>(std::lround(ImgH * M)), Qt::IgnoreAspectRatio,
                                                   Qt::SmoothTransformation)
                                   : QImage();
  const std::vector<TLM> lms = Landmarks(n);
  QImage composed(CtlW, CtlH, QImage::Format_RGB32), window(CtlW, CtlH, QImage::Format_RGB32);
  std::mt19937 rng(1);
  std::uniform_real_distribution<double> u01(0, 1);
  const TPoint start = PanStart(M);
  int64_t i = 0, drawn = 0;
  const QPen grat(QColor(0, 0, 255), 0), halo(QColor(255, 255, 255), 0), fg(QColor(0, 0, 255), 0);
  for (auto _ : state) {
    const TPoint tl = Pan(start, i++);
    auto toCtl = [&](double lat, double lon) {
      const double x = (lon - West) / DegPerPx, y = (North - lat) / DegPerPx;
      return QPoint(static_cast<int>(std::lround((std::lround(x) - tl.X) * M)),
                    static_cast<int>(std::lround((std::lround(y) - tl.Y) * M)));
    };
    QPainter p(&composed);
    p.fillRect(0, 0, CtlW, CtlH, QColor(255, 255, 255));
    if (!cache.isNull()) {
      p.drawImage(QPoint(0, 0), cache, QRect(static_cast<int>(std::lround(tl.X * M)),
                                             static_cast<int>(std::lround(tl.Y * M)), CtlW, CtlH));
    } else {
      p.setRenderHint(QPainter::SmoothPixmapTransform, true);
      p.drawImage(QRectF(0, 0, CtlW, CtlH), source, QRectF(tl.X, tl.Y, CtlW / M, CtlH / M));
      p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    }
    p.setPen(grat);
    QPolygon line(11);
    for (int phi = 45; phi < 60; ++phi) {
      for (int j = 0; j <= 10; ++j) line[j] = toCtl(phi, West + 20.0 * j / 10);
      p.drawPolyline(line);
    }
    for (int lambda = 0; lambda < 20; ++lambda) {
      for (int j = 0; j <= 10; ++j) line[j] = toCtl(45 + 15.0 * j / 10, lambda);
      p.drawPolyline(line);
    }
    // Sampling as ours: count those in view, then keep each with p.
    const double x0 = tl.X, y0 = tl.Y, x1 = tl.X + CtlW / M, y1 = tl.Y + CtlH / M;
    double prob = 1;
    if (n > Threshold) {
      int inView = 0;
      for (const TLM& l : lms) {
        const double x = (l.Lon - West) / DegPerPx, y = (North - l.Lat) / DegPerPx;
        inView += x >= x0 && x < x1 && y >= y0 && y < y1;
      }
      if (inView > Threshold) prob = static_cast<double>(Threshold) / inView;
    }
    constexpr int s = 7;
    QLine strokes[18];
    for (const TLM& l : lms) {
      if (prob < 1 && u01(rng) >= prob) continue;
      const QPoint c = toCtl(l.Lat, l.Lon);
      if (c.x() <= 0 || c.x() >= CtlW || c.y() <= 0 || c.y() >= CtlH) continue;
      int k = 0;
      for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
          strokes[k++] = QLine(c.x() + s + dx, c.y() - s + dy, c.x() - s - 1 + dx, c.y() + s + 1 + dy);
          strokes[k++] = QLine(c.x() - s + dx, c.y() - s + dy, c.x() + s + 1 + dx, c.y() + s + 1 + dy);
        }
      p.setPen(halo);
      p.drawLines(strokes, 18);
      strokes[0] = QLine(c.x() - s, c.y() - s, c.x() + s + 1, c.y() + s + 1);
      strokes[1] = QLine(c.x() - s, c.y() + s, c.x() + s + 1, c.y() - s - 1);
      p.setPen(fg);
      p.drawLines(strokes, 2);
      ++drawn;
    }
    // Double lowered frame: two bevels of two colours each.
    p.setPen(QColor(128, 128, 128));
    p.drawPolyline(QPolygon({QPoint(0, CtlH - 1), QPoint(0, 0), QPoint(CtlW - 1, 0)}));
    p.setPen(QColor(255, 255, 255));
    p.drawPolyline(QPolygon({QPoint(CtlW - 1, 0), QPoint(CtlW - 1, CtlH - 1), QPoint(0, CtlH - 1)}));
    p.setPen(QColor(0, 0, 0));
    p.drawPolyline(QPolygon({QPoint(1, CtlH - 2), QPoint(1, 1), QPoint(CtlW - 2, 1)}));
    p.setPen(QColor(192, 192, 192));
    p.drawPolyline(QPolygon({QPoint(CtlW - 2, 1), QPoint(CtlW - 2, CtlH - 2), QPoint(1, CtlH - 2)}));
    p.end();
    QPainter w(&window);
    w.drawImage(0, 0, composed);
    w.end();
    benchmark::ClobberMemory();
  }
  state.counters["lm_drawn_per_frame"] = benchmark::Counter(static_cast<double>(drawn) / std::max<int64_t>(i, 1));
  state.SetLabel("qpainter " + CaseName(M, n));
}

#endif

void Cases(benchmark::internal::Benchmark* b) {
  for (int mag = 0; mag < 3; ++mag)
    for (int n : {0, 2000, 50000}) b->Args({mag, n});
  b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_OursPaint)->Apply(Cases);
#ifdef ORQ_BENCH_HAVE_QT
BENCHMARK(BM_QPainterPaint)->Apply(Cases);
#endif

}  // namespace
}  // namespace orq
