#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <set>
#include <string>

#include "orqcarta/Orq_GeoBasics.h"

namespace orq {
namespace {

// The published order and spelling of the 231 names, kept apart from the
// table so that a slipped, renamed or truncated record shows up here.
const char* const kExpectedNames[CountryCount] = {
    "Afghanistan", "Albania", "Algeria", "American Samoa", "Andorra", "Angola", "Anguilla", "Antarctica",
    "Antigua and Barbuda", "Argentina", "Armenia", "Aruba", "Australia", "Austria", "Azerbaijan", "Bahamas",
    "Bahrain", "Bangladesh", "Barbados", "Belarus", "Belgium", "Belize", "Benin", "Bermuda", "Bhutan",
    "Bolivia", "Bosnia and Herzegovina", "Botswana", "Brazil", "British Virgin Islands", "Brunei", "Bulgaria",
    "Burkina Faso", "Burma;Myanmar", "Burundi", "Cambodia", "Cameroon", "Canada", "Cape Verde",
    "Cayman Islands", "Central African Republic", "Chad", "Chile", "China", "Christmas Island",
    "Cocos Islands", "Colombia", "Comoros", "Congo, Democratic Republic of the", "Congo, Republic of the",
    "Cook Islands", "Costa Rica", "Cote d'Ivoire", "Croatia", "Cuba", "Cyprus", "Czech Republic", "Denmark",
    "Djibouti", "Dominica", "Dominican Republic", "East Timor;Timor Lestre", "Ecuador", "Egypt",
    "El Salvador", "Equatorial Guinea", "Eritrea", "Estonia", "Ethiopia", "Falkland Islands; Malvinas",
    "Faroe Islands", "Fiji", "Finland", "France", "French Guiana", "French Polynesia", "Gabon", "Gambia",
    "Georgia", "Germany", "Ghana", "Gibraltar", "Greece", "Greenland", "Grenada", "Guadeloupe", "Guam",
    "Guatemala", "Guernsey", "Guinea", "Guinea-Bissau", "Guyana", "Haiti", "Honduras", "Hungary", "Iceland",
    "India", "Indonesia", "Iran", "Iraq", "Ireland", "Israel", "Italy", "Jamaica", "Japan", "Jersey",
    "Jordan", "Kazakhstan", "Kenya", "Kiribati", "Korea, North", "Korea, South", "Kuwait", "Kyrgyzstan",
    "Laos", "Latvia", "Lebanon", "Lesotho", "Liberia", "Libya", "Liechtenstein", "Lithuania", "Luxembourg",
    "Macedonia", "Madagascar", "Malawi", "Malaysia", "Maldives", "Mali", "Malta", "Marshall Islands",
    "Martinique", "Mauritania", "Mauritius", "Mayotte", "Mexico", "Micronesia", "Moldova", "Monaco",
    "Mongolia", "Montenegro", "Montserrat", "Morocco", "Mozambique", "Namibia", "Nauru", "Nepal",
    "Netherlands", "Netherlands Antilles", "New Caledonia", "New Zealand", "Nicaragua", "Niger", "Nigeria",
    "Niue", "Norfolk Island", "Northern Mariana Islands", "Norway", "Oman", "Pakistan", "Palau", "Panama",
    "Papua New Guinea", "Paraguay", "Peru", "Philippines", "Poland", "Portugal", "Puerto Rico", "Qatar",
    "Reunion", "Romania", "Russia", "Rwanda", "Saint Helena", "Saint Kitts and Nevis", "Saint Lucia",
    "Saint Pierre and Miquelon", "Saint Vincent and the Grenadines", "Samoa", "San Marino",
    "Sao Tome and Principe", "Saudi Arabia", "Senegal", "Serbia and Montenegro", "Seychelles", "Sierra Leone",
    "Singapore", "Slovakia", "Slovenia", "Solomon Islands", "Somalia", "South Africa", "Spain", "Sri Lanka",
    "Sudan", "Suriname", "Svalbard", "Swaziland", "Sweden", "Switzerland", "Syria", "Taiwan", "Tajikistan",
    "Tanzania", "Thailand", "Togo", "Tonga", "Trinidad and Tobago", "Tunisia", "Turkey", "Turkmenistan",
    "Turks and Caicos Islands", "Tuvalu", "Uganda", "Ukraine", "United Arab Emirates", "United Kingdom",
    "United States", "Uruguay", "Uzbekistan", "Vanuatu", "Vatican", "Venezuela", "Vietnam", "Virgin Islands",
    "Wallis and Futuna", "Western Sahara", "Yemen", "Zambia", "Zimbabwe",
};

const TCountryData& Country(int Number) { return CountryData[Number - 1]; }

const TCountryData* FindByName(const std::string& Name) {
  for (const TCountryData& c : CountryData)
    if (c.Name == Name) return &c;
  return nullptr;
}

bool HasAtMostDecimals(double Value, int Decimals) {
  const double scaled = Value * std::pow(10.0, Decimals);
  return std::fabs(scaled - std::round(scaled)) < 1e-6;
}

bool IsLowerCaseCode(const std::string& Code, std::size_t Length) {
  if (Code.size() != Length) return false;
  for (char ch : Code)
    if (ch < 'a' || ch > 'z') return false;
  return true;
}

bool IsPrintableAscii(const std::string& Text) {
  for (unsigned char ch : Text)
    if (ch < 0x20 || ch > 0x7e) return false;
  return true;
}

// Great-circle distance on a sphere of mean earth radius, km.
double HaversineKm(double Lat1, double Long1, double Lat2, double Long2) {
  constexpr double kRad = 3.14159265358979323846 / 180.0;
  const double dLat = (Lat2 - Lat1) * kRad, dLong = (Long2 - Long1) * kRad;
  const double h = std::sin(dLat / 2) * std::sin(dLat / 2) +
                   std::cos(Lat1 * kRad) * std::cos(Lat2 * kRad) * std::sin(dLong / 2) * std::sin(dLong / 2);
  return 2 * 6371.0 * std::asin(std::sqrt(h));
}

void ExpectRow(int Number, const char* Name, const char* Fips, const char* Iso2, const char* Iso3, double CLat,
               double CLong, const char* Capital, double CapLat, double CapLong, int32_t CapAlt) {
  SCOPED_TRACE(Name);
  const TCountryData& c = Country(Number);
  EXPECT_EQ(c.Name, Name);
  EXPECT_EQ(c.Fips10, Fips);
  EXPECT_EQ(c.ISO3166_2, Iso2);
  EXPECT_EQ(c.ISO3166_3, Iso3);
  EXPECT_EQ(c.CLat, CLat);
  EXPECT_EQ(c.CLong, CLong);
  EXPECT_EQ(c.Capital, Capital);
  EXPECT_EQ(c.CapLat, CapLat);
  EXPECT_EQ(c.CapLong, CapLong);
  EXPECT_EQ(c.CapAlt, CapAlt);
}

TEST(CountryTable, HoldsTheListedNamesInByteOrder) {
  ASSERT_EQ(std::size(CountryData), static_cast<std::size_t>(231));
  EXPECT_EQ(Country(1).Name, "Afghanistan");
  EXPECT_EQ(Country(CountryCount).Name, "Zimbabwe");
  for (int n = 1; n <= CountryCount; ++n) EXPECT_EQ(Country(n).Name, kExpectedNames[n - 1]) << "country " << n;
  // std::string compares as unsigned bytes, which is the order the table keeps.
  for (int n = 2; n <= CountryCount; ++n)
    EXPECT_LT(Country(n - 1).Name.str(), Country(n).Name.str()) << "countries " << n - 1 << " and " << n;
}

TEST(CountryTable, NamesWithPunctuationAreKeptVerbatim) {
  EXPECT_EQ(Country(34).Name, "Burma;Myanmar");
  EXPECT_EQ(Country(49).Name, "Congo, Democratic Republic of the");
  EXPECT_EQ(Country(53).Name, "Cote d'Ivoire");
  EXPECT_EQ(Country(62).Name, "East Timor;Timor Lestre");
  EXPECT_EQ(Country(70).Name, "Falkland Islands; Malvinas");
}

TEST(CountryTable, FullyPublishedRowsMatchExactly) {
  ExpectRow(1, "Afghanistan", "af", "af", "afg", 33, 65, "Kabul", 34.5309, 69.1368, 1807);
  ExpectRow(3, "Algeria", "ag", "dz", "dza", 28, 3, "Algiers", 36.7658, 3.0319, 0);
  ExpectRow(8, "Antarctica", "ay", "aq", "ata", -90, 0, "", -90, 0, 0);
  ExpectRow(70, "Falkland Islands; Malvinas", "fk", "fk", "flk", -51.75, -59, "Stanley", -51.701, -57.8492, 0);
  ExpectRow(148, "Netherlands", "nl", "nl", "nld", 52.5, 5.75, "Amsterdam", 52.373, 4.8948, -1);
  ExpectRow(231, "Zimbabwe", "zi", "zw", "zwe", -20, 30, "Harare", -17.8292, 31.054, 1480);
}

TEST(CountryTable, FieldsKeepTheirFormat) {
  for (const TCountryData& c : CountryData) {
    SCOPED_TRACE(c.Name.str());
    EXPECT_LE(c.Name.length(), 40u);
    EXPECT_LE(c.Capital.length(), 31u);
    EXPECT_TRUE(IsPrintableAscii(c.Name) && IsPrintableAscii(c.Capital));
    EXPECT_TRUE(IsLowerCaseCode(c.Fips10, 2)) << c.Fips10.str();
    EXPECT_TRUE(IsLowerCaseCode(c.ISO3166_2, 2)) << c.ISO3166_2.str();
    EXPECT_TRUE(IsLowerCaseCode(c.ISO3166_3, 3)) << c.ISO3166_3.str();
    EXPECT_TRUE(HasAtMostDecimals(c.CLat, 2) && HasAtMostDecimals(c.CLong, 2)) << c.CLat << ", " << c.CLong;
    EXPECT_TRUE(HasAtMostDecimals(c.CapLat, 4) && HasAtMostDecimals(c.CapLong, 4)) << c.CapLat << ", " << c.CapLong;
  }
}

TEST(CountryTable, PositionsAndAltitudesArePlausible) {
  for (const TCountryData& c : CountryData) {
    SCOPED_TRACE(c.Name.str());
    EXPECT_TRUE(c.CLat >= -90 && c.CLat <= 90 && c.CLong >= -180 && c.CLong <= 180);
    EXPECT_TRUE(c.CapLat >= -90 && c.CapLat <= 90 && c.CapLong >= -180 && c.CapLong <= 180);
    // La Paz, the highest capital, lies near 3640 m.
    EXPECT_LE(c.CapAlt, 4000);
    if (c.CapAlt < 0) {
      EXPECT_EQ(c.Capital, "Amsterdam");
    }
    // Only Antarctica has no capital.
    EXPECT_EQ(c.Capital.empty(), c.Name == "Antarctica");
  }
}

TEST(CountryTable, CapitalsLieNearTheirCountrysCentre) {
  // A swapped sign or a row shifted against its neighbours puts a capital on
  // another continent; 2500 km catches that. Russia's capital lies in its far
  // west, well away from the centre of the country.
  const std::set<std::string> farFromCentre = {"Russia"};
  for (const TCountryData& c : CountryData) {
    if (farFromCentre.count(c.Name.str())) continue;
    EXPECT_LT(HaversineKm(c.CLat, c.CLong, c.CapLat, c.CapLong), 2500.0) << c.Name.str();
  }
  EXPECT_GT(HaversineKm(Country(173).CLat, Country(173).CLong, Country(173).CapLat, Country(173).CapLong), 2500.0);
}

TEST(CountryTable, IsoCodesAreUnique) {
  std::set<std::string> alpha2, alpha3;
  for (const TCountryData& c : CountryData) {
    EXPECT_TRUE(alpha2.insert(c.ISO3166_2.str()).second) << c.ISO3166_2.str();
    EXPECT_TRUE(alpha3.insert(c.ISO3166_3.str()).second) << c.ISO3166_3.str();
  }
}

TEST(CountryTable, FipsCodesAreNotConfusedWithIsoCodes) {
  // Pairs where the two schemes differ; a table that copied one column into
  // the other would pass every format check above.
  const struct {
    const char* Name;
    const char* Fips;
    const char* Iso2;
  } pairs[] = {
      {"Algeria", "ag", "dz"},
      {"Austria", "au", "at"},
      {"Germany", "gm", "de"},
      {"Spain", "sp", "es"},
      {"United Kingdom", "uk", "gb"},
      {"China", "ch", "cn"},
      {"Chile", "ci", "cl"},
      {"Switzerland", "sz", "ch"},
      {"Sweden", "sw", "se"},
      {"Japan", "ja", "jp"},
      {"Korea, South", "ks", "kr"},
      {"Korea, North", "kn", "kp"},
      {"Australia", "as", "au"},
      {"American Samoa", "aq", "as"},
      {"Svalbard", "sv", "sj"},
      {"Netherlands Antilles", "nt", "an"},
      {"Serbia and Montenegro", "yi", "cs"},
  };
  for (const auto& p : pairs) {
    const TCountryData* c = FindByName(p.Name);
    ASSERT_NE(c, nullptr) << p.Name;
    EXPECT_EQ(c->Fips10, p.Fips) << p.Name;
    EXPECT_EQ(c->ISO3166_2, p.Iso2) << p.Name;
  }
  EXPECT_EQ(FindByName("Svalbard")->ISO3166_3, "sjm");
  EXPECT_EQ(FindByName("Netherlands Antilles")->ISO3166_3, "ant");
  EXPECT_EQ(FindByName("Serbia and Montenegro")->ISO3166_3, "scg");
}

}  // namespace
}  // namespace orq
