// Reading MWDB-II PNT files into lines of single-precision degrees.
#include "pnt_reader.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "ErrorReport.h"

namespace orq::cli {

namespace {

constexpr int RecordSize = 6;
constexpr int LineHeaderAbove = 1000;
constexpr int MaxLatMinutes = 90 * 60, MaxLongMinutes = 180 * 60;

int16_t Int16At(const uint8_t* P) { return static_cast<int16_t>(static_cast<uint16_t>(P[0] | P[1] << 8)); }

// Appends a point to the line being built; a step across the antimeridian
// ends the line on the meridian and starts the next one on its other side.
struct TLineBuilder {
  TPntContents& Out;
  int MinLevel;
  TPntLine Current;
  bool Open = false;

  void Finish() {
    if (!Open) return;
    if (Current.Points.size() >= 2)
      Out.Lines.push_back(std::move(Current));
    else
      ++Out.ShortLines;
    Current = TPntLine{};
    Open = false;
  }
  void Start(int Header) {
    Finish();
    Current.Header = Header;
    Open = true;
  }
  void Add(double Lat, double Long) {
    if (!Current.Points.empty()) {
      const TSCoords prev = Current.Points.back();
      const double step = Long - prev.Longit;
      if (std::fabs(step) > 180) {
        // Going east across 180 (step < -180) or west across -180.
        const double edge = step < 0 ? 180.0 : -180.0;
        const double unwrapped = step < 0 ? Long + 360 : Long - 360;
        const double t = (edge - prev.Longit) / (unwrapped - prev.Longit);
        const double latCross = prev.Latit + t * (Lat - prev.Latit);
        Current.Points.push_back(TSCoords{static_cast<float>(latCross), static_cast<float>(edge)});
        const int header = Current.Header;
        Start(header);
        Current.Points.push_back(TSCoords{static_cast<float>(latCross), static_cast<float>(-edge)});
        ++Out.AntimeridianSplits;
      }
    }
    Current.Points.push_back(TSCoords{static_cast<float>(Lat), static_cast<float>(Long)});
  }
};

}  // namespace

TPntContents ParsePnt(const uint8_t* Data, std::size_t Size, int MinLevel, const std::function<void(int)>& Progress) {
  if (Size % RecordSize != 0)
    throw EInputError("the file is not a whole number of 6-byte records (" + std::to_string(Size % RecordSize) +
                      " bytes left over)");
  TPntContents out;
  TLineBuilder builder{out, MinLevel, {}};
  const long records = static_cast<long>(Size / RecordSize);
  int lastPercent = -1;
  for (long r = 0; r < records; ++r) {
    const uint8_t* p = Data + r * RecordSize;
    const int header = Int16At(p), lat = Int16At(p + 2), lon = Int16At(p + 4);
    if (lat < -MaxLatMinutes || lat > MaxLatMinutes || lon < -MaxLongMinutes || lon > MaxLongMinutes)
      throw EInputError("record " + std::to_string(r + 1) + ": position out of range (" + std::to_string(lat) +
                        ", " + std::to_string(lon) + " arc-minutes)");
    const bool startsLine = header > LineHeaderAbove || !builder.Open;
    if (startsLine) {
      builder.Start(header);
    } else if (header < MinLevel) {
      ++out.DroppedPoints;
      continue;
    }
    builder.Add(lat / 60.0, lon / 60.0);
    if (Progress) {
      const int percent = static_cast<int>((r + 1) * 100 / records);
      if (percent != lastPercent) Progress(lastPercent = percent);
    }
  }
  builder.Finish();
  out.Records = records;
  return out;
}

TPntContents ReadPntFile(const std::string& File, int MinLevel, const std::function<void(int)>& Progress) {
  std::ifstream in(File, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + Printable(File, 200));
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error("cannot read " + Printable(File, 200));
  return ParsePnt(bytes.data(), bytes.size(), MinLevel, Progress);
}

}  // namespace orq::cli
