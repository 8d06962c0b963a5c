// A datum option value that may stand for several regional records: an
// EPSG code or a common short name is resolved per position to the record
// whose area covers it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orq::cli {

class TDatumChoice {
 public:
  // Resolves Text for option OptionName: everything FindDatum knows (then
  // the choice is fixed), "EPSG:4230" (a geodetic CRS or a transformation
  // code) or one of NAD27, NAD83, AGD66, AGD84, Tokyo, Pulkovo 1942, S-42
  // (the records of that EPSG CRS). Throws EUsageError as ResolveDatum.
  TDatumChoice(std::string_view OptionName, std::string_view Text);

  bool Fixed() const { return Candidates_.size() == 1; }
  const std::vector<int>& Candidates() const { return Candidates_; }
  const std::string& Text() const { return Text_; }

  // The record for a position: the only one, or among those whose area
  // contains the position the one with the smallest area (a national record
  // before a regional mean; equal areas: the lower number). Throws
  // EInputError when none covers it.
  int For(double Latitude, double Longitude) const;

 private:
  std::string Text_;
  std::vector<int> Candidates_;
};

}  // namespace orq::cli
