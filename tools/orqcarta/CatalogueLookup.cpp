#include "CatalogueLookup.h"

#include <algorithm>

#include "ErrorReport.h"
#include "NumberParsing.h"

namespace orq::cli {

std::string ToLower(std::string_view Text) {
  std::string lower(Text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
  return lower;
}

namespace {
std::string_view Trimmed(std::string_view Text) {
  const auto first = Text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = Text.find_last_not_of(" \t");
  return Text.substr(first, last - first + 1);
}
}  // namespace

std::optional<TGeoEllipsoid> FindEllipsoid(std::string_view Text) {
  Text = Trimmed(Text);
  if (Text.empty()) return std::nullopt;
  if (const auto ordinal = ParseInteger(Text)) {
    if (*ordinal >= 0 && *ordinal < GeoEllipsoidCount) return static_cast<TGeoEllipsoid>(*ordinal);
    return std::nullopt;
  }
  const std::string wanted = ToLower(Text);
  for (int e = 0; e < GeoEllipsoidCount; ++e) {
    const std::string id = ToLower(GeoEllipsoidId[e]);
    if (wanted == id || wanted == id.substr(3) || wanted == ToLower(GeoEllipsoidName[e]))
      return static_cast<TGeoEllipsoid>(e);
  }
  return std::nullopt;
}

std::string DatumLabel(int Number) {
  const TGeoDatum& datum = GeoDatumData[Number - 1];
  return datum.Name.str() + " (" + datum.Area.str() + ")";
}

namespace {
// Short names everybody uses, which the table does not spell out.
struct TDatumAlias {
  const char* Key;  // lower case, without blanks and hyphens
  int Number;
};
constexpr TDatumAlias DatumAliases[] = {{"wgs84", 269}, {"wgs72", 268}, {"ed50", 59}, {"osgb36", 183}};

std::string AliasKey(std::string_view Text) {
  std::string key;
  for (char c : ToLower(Text))
    if (c != ' ' && c != '-') key += c;
  return key;
}
}  // namespace

TDatumMatch FindDatum(std::string_view Text) {
  TDatumMatch match;
  Text = Trimmed(Text);
  if (Text.empty()) return match;
  if (const auto number = ParseInteger(Text)) {
    if (*number >= 1 && *number <= GeoDatumCount) match.Number = *number;
    return match;
  }
  const std::string key = AliasKey(Text);
  for (const TDatumAlias& alias : DatumAliases) {
    if (key == alias.Key) {
      match.Number = alias.Number;
      return match;
    }
  }
  const std::string wanted = ToLower(Text);
  // The most specific reading wins: a whole label, then a whole name, then
  // any part of a label.
  std::vector<int> byLabel, byName, byPart;
  for (int n = 1; n <= GeoDatumCount; ++n) {
    const std::string label = ToLower(DatumLabel(n));
    if (label == wanted) byLabel.push_back(n);
    if (ToLower(GeoDatumData[n - 1].Name.str()) == wanted) byName.push_back(n);
    if (label.find(wanted) != std::string::npos) byPart.push_back(n);
  }
  for (std::vector<int>* found : {&byLabel, &byName, &byPart}) {
    if (found->empty()) continue;
    if (found->size() == 1) {
      match.Number = found->front();
    } else {
      match.Candidates = std::move(*found);
    }
    break;
  }
  return match;
}

int ResolveDatum(std::string_view OptionName, std::string_view Text) {
  const TDatumMatch match = FindDatum(Text);
  if (match.Number > 0) return match.Number;
  std::string message = std::string(OptionName) + ": ";
  if (match.Candidates.empty()) {
    message += "no datum \"" + Printable(Text, 60) + "\" (numbers 1.." + std::to_string(GeoDatumCount) +
               "; 'orqcarta datums' lists them)";
  } else {
    message += "\"" + Printable(Text, 60) + "\" is ambiguous; give one of these numbers:";
    for (int n : match.Candidates) message += "\n  " + std::to_string(n) + "  " + DatumLabel(n);
  }
  throw EUsageError(message);
}

}  // namespace orq::cli
