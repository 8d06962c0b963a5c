#include "DatumChoice.h"

#include "CatalogueLookup.h"
#include "DatumEpsg.h"
#include "ErrorReport.h"
#include "NumberParsing.h"
#include "OutputFormat.h"
#include "orqcarta/Orq_GeoBasics.h"

namespace orq::cli {

namespace {
// Names people use for a datum with several regional records, and the
// EPSG geodetic CRS whose records they mean. Keys: lower case without
// blanks and hyphens.
struct TRegionalName {
  const char* Key;
  int Crs;
};
constexpr TRegionalName RegionalNames[] = {{"nad27", 4267}, {"nad83", 4269}, {"agd66", 4202},      {"agd84", 4203},
                                           {"tokyo", 4301}, {"s42", 4284},   {"pulkovo1942", 4284}};

std::string Key(std::string_view Text) {
  std::string key;
  for (char c : ToLower(Text))
    if (c != ' ' && c != '-' && c != '_') key += c;
  return key;
}

std::vector<int> RecordsWith(int Code) {
  std::vector<int> found;
  for (int n = 1; n <= GeoDatumCount; ++n)
    if (DatumEpsg(n).Crs == Code) found.push_back(n);
  if (found.empty())
    for (int n = 1; n <= GeoDatumCount; ++n)
      if (DatumEpsg(n).Transformation == Code) found.push_back(n);
  return found;
}
}  // namespace

TDatumChoice::TDatumChoice(std::string_view OptionName, std::string_view Text) : Text_(Text) {
  const std::string key = Key(Text);
  if (key.starts_with("epsg:")) {
    const auto code = ParseInteger(std::string_view(key).substr(5));
    if (!code || *code <= 0)
      throw EUsageError(std::string(OptionName) + ": expected EPSG:CODE, got \"" + Printable(Text, 40) + "\"");
    Candidates_ = RecordsWith(*code);
    if (Candidates_.empty())
      throw EUsageError(std::string(OptionName) + ": no built-in datum has EPSG:" + std::to_string(*code) +
                        " as its geodetic CRS or transformation ('orqcarta datums --json' lists the codes)");
    return;
  }
  for (const TRegionalName& name : RegionalNames) {
    if (key == name.Key) {
      Candidates_ = RecordsWith(name.Crs);
      return;
    }
  }
  Candidates_ = {ResolveDatum(OptionName, Text)};
}

int TDatumChoice::For(double Latitude, double Longitude) const {
  if (Fixed()) return Candidates_.front();
  int best = 0;
  double bestSize = 0;
  for (int n : Candidates_) {
    const TDatumEpsg& r = DatumEpsg(n);
    if (!AreaContains(r, Latitude, Longitude)) continue;
    const double size = AreaSize(r);
    if (best == 0 || size < bestSize) {
      best = n;
      bestSize = size;
    }
  }
  if (best == 0) {
    std::string list;
    for (int n : Candidates_) list += (list.empty() ? "" : ", ") + std::to_string(n);
    throw EInputError("no record of " + Printable(Text_, 30) + " covers this position (records " + list +
                      "; give one by number)");
  }
  return best;
}

}  // namespace orq::cli
