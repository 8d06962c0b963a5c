// The one-pass tile cutter behind `orqcarta atlas split`.
#include "atlas_split.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

#include "orqplatform/ImageCodecs.h"
#include "tile_calibration.h"

namespace orq::cli {

namespace {

// Rows decoded per call: enough to keep libjpeg busy, few enough to stay small.
constexpr int RowsPerRead = 16;

// A source of rows: the row reader for JPEG, a whole decoded picture else.
class TRowSource {
 public:
  explicit TRowSource(const std::string& File) {
    std::ifstream probe(File, std::ios::binary);
    if (!probe) throw std::runtime_error("cannot open " + File);
    char magic[2] = {};
    probe.read(magic, 2);
    if (probe.gcount() == 2 && static_cast<uint8_t>(magic[0]) == 0xFF && static_cast<uint8_t>(magic[1]) == 0xD8) {
      FJpeg = std::make_unique<TJpegRowReader>(File);
      return;
    }
    probe.seekg(0);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(probe)), std::istreambuf_iterator<char>());
    FWhole = DecodeImage(bytes.data(), bytes.size());
  }
  int Width() const { return FJpeg ? FJpeg->Width() : FWhole.Width; }
  int Height() const { return FJpeg ? FJpeg->Height() : FWhole.Height; }
  // The next rows into Rows; how many.
  int Read(std::vector<TColor>& Rows) {
    if (FJpeg) return FJpeg->ReadRows(RowsPerRead, Rows);
    const int n = std::min(RowsPerRead, FWhole.Height - FNext);
    const auto begin = FWhole.Pixels.begin() + static_cast<std::ptrdiff_t>(FNext) * FWhole.Width;
    Rows.assign(begin, begin + static_cast<std::ptrdiff_t>(n) * FWhole.Width);
    FNext += n;
    return n;
  }

 private:
  std::unique_ptr<TJpegRowReader> FJpeg;
  TRawImage FWhole;
  int FNext = 0;
};

struct TLevel {
  int Index = 0, Width = 0, Height = 0;
  double Factor = 1;  // picture pixels of this level per full-resolution pixel
  int NextRow = 0;
  std::vector<std::unique_ptr<TTileWriter>> Open;  // the tiles of the current band
  std::vector<TSplitTile> Band;
  // Sums of the two rows above being averaged into this level's next row.
  std::vector<uint32_t> SumR, SumG, SumB;
  int RowsSummed = 0;
};

class TSplitter {
 public:
  TSplitter(const TCalibData& Data, TCalibModel Model, const std::string& Dir, const TSplitOptions& Options)
      : FData(Data), FModel(Model), FDir(Dir), FOptions(Options) {}

  void Setup(int Width, int Height) {
    int w = Width, h = Height;
    double factor = 1;
    for (int k = 0;; ++k) {
      TLevel level;
      level.Index = k;
      level.Width = w;
      level.Height = h;
      level.Factor = factor;
      if (k > 0) {
        level.SumR.assign(static_cast<std::size_t>(w), 0);
        level.SumG.assign(static_cast<std::size_t>(w), 0);
        level.SumB.assign(static_cast<std::size_t>(w), 0);
      }
      FLevels.push_back(std::move(level));
      if (w <= FOptions.Tile && h <= FOptions.Tile) break;
      w = (w + 1) / 2;
      h = (h + 1) / 2;
      factor /= 2;
    }
    FResult.Levels = static_cast<int>(FLevels.size());
  }

  void Row(int LevelIndex, const TColor* Pixels) {
    TLevel& L = FLevels[static_cast<std::size_t>(LevelIndex)];
    const int tile = FOptions.Tile;
    if (L.NextRow % tile == 0) OpenBand(L);
    for (std::size_t c = 0; c < L.Open.size(); ++c) L.Open[c]->WriteRow(Pixels + L.Band[c].Left);
    ++L.NextRow;
    if (L.NextRow % tile == 0 || L.NextRow == L.Height) CloseBand(L);
    if (static_cast<std::size_t>(LevelIndex) + 1 < FLevels.size()) Reduce(LevelIndex, Pixels);
  }

  TSplitResult Result() { return std::move(FResult); }

 private:
  void OpenBand(TLevel& L) {
    const int tile = FOptions.Tile;
    const int row = L.NextRow / tile;
    const int height = std::min(tile, L.Height - L.NextRow);
    L.Open.clear();
    L.Band.clear();
    for (int left = 0, column = 0; left < L.Width; left += tile, ++column) {
      TSplitTile t;
      t.Level = L.Index;
      t.Row = row;
      t.Column = column;
      t.Left = left;
      t.Top = L.NextRow;
      t.Width = std::min(tile, L.Width - left);
      t.Height = height;
      const std::string base = FOptions.Stem + "_L" + std::to_string(L.Index) + "_R" + std::to_string(row) + "_C" +
                               std::to_string(column);
      t.Image = (std::filesystem::path(FDir) / (base + TileExtension(FOptions.Format))).string();
      t.Calibration = (std::filesystem::path(FDir) / (base + ".xml")).string();
      L.Open.push_back(CreateTileWriter(FOptions.Format, t.Image, t.Width, t.Height, FOptions.JpegQuality));
      L.Band.push_back(std::move(t));
    }
  }

  void CloseBand(TLevel& L) {
    for (std::size_t c = 0; c < L.Open.size(); ++c) {
      L.Open[c]->Close();
      const TSplitTile& t = L.Band[c];
      WriteCalibration(t.Calibration, MovedCalibration(FData, L.Factor, t.Left, t.Top), FModel, t.Width, t.Height,
                       t.Image,
                       FOptions.Stem + " level " + std::to_string(t.Level) + " row " + std::to_string(t.Row) +
                           " column " + std::to_string(t.Column));
      FResult.Tiles.push_back(t);
    }
    L.Open.clear();
    L.Band.clear();
  }

  // Adds a row of level LevelIndex into the sums of the next level; every
  // second row, and after the last, the averaged row goes down one level.
  void Reduce(int LevelIndex, const TColor* Pixels) {
    const TLevel& above = FLevels[static_cast<std::size_t>(LevelIndex)];
    TLevel& below = FLevels[static_cast<std::size_t>(LevelIndex) + 1];
    for (int x = 0; x < above.Width; ++x) {
      const TColor c = Pixels[x];
      const auto i = static_cast<std::size_t>(x / 2);
      below.SumR[i] += c & 0xFF;
      below.SumG[i] += (c >> 8) & 0xFF;
      below.SumB[i] += (c >> 16) & 0xFF;
    }
    ++below.RowsSummed;
    if (below.RowsSummed < 2 && above.NextRow < above.Height) return;
    FRowBuffer.resize(static_cast<std::size_t>(below.Width));
    for (int x = 0; x < below.Width; ++x) {
      const auto i = static_cast<std::size_t>(x);
      const uint32_t columns = 2 * x + 1 < above.Width ? 2 : 1;
      const uint32_t n = columns * static_cast<uint32_t>(below.RowsSummed);
      const uint32_t r = (below.SumR[i] + n / 2) / n, g = (below.SumG[i] + n / 2) / n, b = (below.SumB[i] + n / 2) / n;
      FRowBuffer[i] = r | g << 8 | b << 16;
    }
    std::fill(below.SumR.begin(), below.SumR.end(), 0);
    std::fill(below.SumG.begin(), below.SumG.end(), 0);
    std::fill(below.SumB.begin(), below.SumB.end(), 0);
    below.RowsSummed = 0;
    // The buffer is reused by the levels further down, so pass a copy.
    const std::vector<TColor> row = FRowBuffer;
    Row(LevelIndex + 1, row.data());
  }

  TCalibData FData;
  TCalibModel FModel;
  std::string FDir;
  TSplitOptions FOptions;
  std::vector<TLevel> FLevels;
  std::vector<TColor> FRowBuffer;
  TSplitResult FResult;
};

}  // namespace

TSplitResult SplitImage(const std::string& Image, const TCalibData& Data, TCalibModel Model, const std::string& Dir,
                        const TSplitOptions& Options, const std::function<void(int)>& Progress) {
  TRowSource source(Image);
  TSplitter splitter(Data, Model, Dir, Options);
  splitter.Setup(source.Width(), source.Height());
  const int width = source.Width(), height = source.Height();
  std::vector<TColor> rows;
  int done = 0, lastPercent = -1;
  while (done < height) {
    const int n = source.Read(rows);
    if (n <= 0) throw std::runtime_error("the picture ended after " + std::to_string(done) + " rows");
    for (int r = 0; r < n; ++r) splitter.Row(0, rows.data() + static_cast<std::size_t>(r) * width);
    done += n;
    const int percent = static_cast<int>(static_cast<long long>(done) * 100 / height);
    if (Progress && percent != lastPercent) Progress(lastPercent = percent);
  }
  return splitter.Result();
}

}  // namespace orq::cli
