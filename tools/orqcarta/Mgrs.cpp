#include "Mgrs.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "ErrorReport.h"

namespace orq::cli {

namespace {

constexpr double Tile = 100e3;  // side of a 100 km square, m
constexpr const char* UtmBands = "CDEFGHJKLMNPQRSTUVWX";
constexpr const char* UtmColumns[3] = {"ABCDEFGH", "JKLMNPQR", "STUVWXYZ"};
constexpr const char* UtmRows = "ABCDEFGHJKLMNPQRSTUV";
constexpr int UtmRowPeriod = 20;
constexpr int UtmEvenRowShift = 5;  // even zones start their rows at F

// UPS squares, by band A B (south) Y Z (north): column letters and the
// square index (grid km / 100) of the first column and row.
struct TUpsBand {
  char Letter;
  const char* Columns;
  int FirstColumn;
  const char* Rows;
  int FirstRow;
};
constexpr TUpsBand UpsBands[4] = {{'A', "JKLPQRSTUXYZ", 8, "ABCDEFGHJKLMNPQRSTUVWXYZ", 8},
                                  {'B', "ABCFGHJKLPQR", 20, "ABCDEFGHJKLMNPQRSTUVWXYZ", 8},
                                  {'Y', "RSTUXYZ", 13, "ABCDEFGHJKLMNP", 13},
                                  {'Z', "ABCFGHJ", 20, "ABCDEFGHJKLMNP", 13}};

int IndexOf(const char* Letters, char c) {
  for (int i = 0; Letters[i]; ++i)
    if (Letters[i] == c) return i;
  return -1;
}

int UtmBandIndex(double Latitude) {  // -10..9, X stretched to 84
  const int band = static_cast<int>(std::floor(Latitude / 8));
  return band < -10 ? -10 : (band > 9 ? 9 : band);
}

// Appends the square letters' digits: the metres within the square,
// truncated at a micrometre first as GeographicLib does, then to Digits.
void AppendDigits(std::string& Out, std::int64_t Micrometres, int Digits) {
  std::int64_t step = 1000000;  // 1 m
  for (int d = MgrsMaxDigits; d > Digits; --d) step *= 10;
  std::int64_t value = Micrometres / step;
  std::string digits(static_cast<std::size_t>(Digits), '0');
  for (int i = Digits - 1; i >= 0; --i, value /= 10) digits[static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
  Out += digits;
}

std::int64_t Micro(double Metres) { return static_cast<std::int64_t>(std::floor(Metres * 1e6)); }
constexpr std::int64_t TileMicro = 100000LL * 1000000LL;

}  // namespace

std::string MgrsForward(double Latitude, double Longitude, TGeoEllipsoid Ellipsoid, int Digits) {
  if (!(Latitude >= -90 && Latitude <= 90)) throw EInputError("latitude outside -90..90");
  if (!std::isfinite(Longitude)) throw EInputError("longitude is not a number");
  if (Digits < 0 || Digits > MgrsMaxDigits) throw EInputError("MGRS digits outside 0..5");
  std::string out;
  double easting = 0, northing = 0;
  std::int64_t x = 0, y = 0;
  if (Latitude >= 84 || Latitude < -80) {
    LatLongToUPS(Latitude, Longitude, Ellipsoid, easting, northing);
    if (!std::isfinite(easting) || !std::isfinite(northing)) throw EInputError("no UPS position");
    x = Micro(easting);
    y = Micro(northing);
    const bool north = Latitude >= 0;
    const TUpsBand& band = UpsBands[(north ? 2 : 0) + (x >= 20 * TileMicro ? 1 : 0)];
    const int column = static_cast<int>(x / TileMicro) - band.FirstColumn;
    const int row = static_cast<int>(y / TileMicro) - band.FirstRow;
    if (column < 0 || column >= static_cast<int>(std::string_view(band.Columns).size()) || row < 0 ||
        row >= static_cast<int>(std::string_view(band.Rows).size()))
      throw EInputError("position outside the UPS squares");
    out += band.Letter;
    out += band.Columns[column];
    out += band.Rows[row];
  } else {
    int zone = 0;
    LatLongToUTM(Latitude, Longitude, Ellipsoid, zone, easting, northing);
    if (zone == 0 || !std::isfinite(easting) || !std::isfinite(northing))
      throw EInputError("no UTM zone for this position");
    x = Micro(easting);
    y = Micro(northing);
    const int column = static_cast<int>(x / TileMicro) - 1;
    if (column < 0 || column > 7) throw EInputError("easting outside the MGRS squares");
    const int row = static_cast<int>(y / TileMicro);
    if (zone < 10) out += '0';
    out += std::to_string(zone);
    out += UtmBands[UtmBandIndex(Latitude) + 10];
    out += UtmColumns[(zone - 1) % 3][column];
    out += UtmRows[(row + ((zone - 1) % 2 ? UtmEvenRowShift : 0)) % UtmRowPeriod];
  }
  AppendDigits(out, x % TileMicro, Digits);
  AppendDigits(out, y % TileMicro, Digits);
  return out;
}

namespace {
[[noreturn]] void Malformed(std::string_view Reference, const std::string& Why) {
  throw EInputError("MGRS reference \"" + Printable(Reference, 30) + "\": " + Why);
}

// The metres within the square of Digits digits, to the centre of the cell.
double CellCentre(std::string_view Digits, std::size_t Count) {
  double value = 0;
  for (char c : Digits) value = value * 10 + (c - '0');
  const double cell = std::pow(10.0, static_cast<double>(MgrsMaxDigits - static_cast<int>(Count)));
  return (value + 0.5) * cell;
}
}  // namespace

TMgrsPosition MgrsReverse(std::string_view Reference, TGeoEllipsoid Ellipsoid) {
  std::string text;
  for (char c : Reference) {
    if (c == ' ') continue;
    text += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  std::size_t p = 0;
  int zone = 0;
  while (p < text.size() && p < 2 && text[p] >= '0' && text[p] <= '9') zone = zone * 10 + (text[p++] - '0');
  if (p > 0 && (zone < 1 || zone > 60)) Malformed(Reference, "zone outside 1..60");
  if (text.size() < p + 3) Malformed(Reference, "expected a zone, band and two square letters");
  const char bandLetter = text[p], columnLetter = text[p + 1], rowLetter = text[p + 2];
  p += 3;
  const std::string_view digits = std::string_view(text).substr(p);
  for (char c : digits)
    if (c < '0' || c > '9') Malformed(Reference, "digits expected after the square letters");
  if (digits.size() % 2 != 0 || digits.size() > 2 * MgrsMaxDigits)
    Malformed(Reference, "an even number of digits, at most 10, expected");
  TMgrsPosition result;
  result.Digits = static_cast<int>(digits.size() / 2);
  const std::size_t half = digits.size() / 2;
  const double dx = CellCentre(digits.substr(0, half), half);
  const double dy = CellCentre(digits.substr(half), half);

  if (zone == 0) {
    const TUpsBand* band = nullptr;
    for (const TUpsBand& b : UpsBands)
      if (b.Letter == bandLetter) band = &b;
    if (!band) Malformed(Reference, "polar band must be A, B, Y or Z");
    const int column = IndexOf(band->Columns, columnLetter), row = IndexOf(band->Rows, rowLetter);
    if (column < 0 || row < 0) Malformed(Reference, std::string("no square ") + columnLetter + rowLetter + " in band " + bandLetter);
    const double easting = (band->FirstColumn + column) * Tile + dx;
    const double northing = (band->FirstRow + row) * Tile + dy;
    UPSToLatLong(easting, northing, bandLetter < 'N', Ellipsoid, result.Latitude, result.Longitude);
    return result;
  }

  const int bandIndex = IndexOf(UtmBands, bandLetter);
  if (bandIndex < 0) Malformed(Reference, "latitude band must be C..X without I and O");
  const int column = IndexOf(UtmColumns[(zone - 1) % 3], columnLetter);
  const int rowLetterIndex = IndexOf(UtmRows, rowLetter);
  if (column < 0 || rowLetterIndex < 0)
    Malformed(Reference, std::string("no square ") + columnLetter + rowLetter + " in zone " + std::to_string(zone));
  const bool south = bandIndex < 10;
  const double easting = (column + 1) * Tile + dx;
  const int row = (rowLetterIndex - ((zone - 1) % 2 ? UtmEvenRowShift : 0) + UtmRowPeriod) % UtmRowPeriod;
  // The row letters repeat every 2000 km; the band says which repeat.
  const double low = -80 + 8.0 * bandIndex, high = bandLetter == 'X' ? 84 : low + 8;
  double bestMiss = std::numeric_limits<double>::infinity();
  for (int repeat = 0; repeat * UtmRowPeriod + row <= 100; ++repeat) {
    const double northing = (repeat * UtmRowPeriod + row) * Tile + dy;
    double latitude, longitude;
    UTMToLatLong(easting, northing, zone, south, Ellipsoid, latitude, longitude);
    const double miss = latitude < low ? low - latitude : (latitude > high ? latitude - high : 0);
    if (miss < bestMiss) {
      bestMiss = miss;
      result.Latitude = latitude;
      result.Longitude = longitude;
    }
  }
  // A square straddling the band's edge has its centre at most about 0.7
  // degrees outside it.
  if (!(bestMiss <= 1.0)) Malformed(Reference, std::string("square not in band ") + bandLetter);
  if (result.Longitude >= 180) result.Longitude -= 360;
  if (result.Longitude < -180) result.Longitude += 360;
  return result;
}

}  // namespace orq::cli
