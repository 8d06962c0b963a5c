// The datum table against an independent copy of its names and areas, the
// rows whose values are fixed exactly, sanity bounds on every record, and
// a cross-check of parameters and ellipsoids against PROJ's EPSG database.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <numbers>
#include <set>
#include <string>

#include "orqcarta/Orq_GeoBasics.h"

namespace orq {
namespace {

const TGeoDatum& Datum(int number) { return GeoDatumData[number - 1]; }

// "number|name|area" for all 271 datums, in table order.
const char* const kNamesAndAreas[] = {
    "1|ACCRA|Ghana",
    "2|ADINDAN|Burkina Faso",
    "3|ADINDAN|Cameroon",
    "4|ADINDAN|Ethiopa",
    "5|ADINDAN|Mali",
    "6|ADINDAN|Mean",
    "7|ADINDAN|Senegal",
    "8|ADINDAN|Sudan",
    "9|ANTIGUA ISLAND ASTRO 1943|Antigua",
    "10|AIN EL ABD 1970|Bahrain",
    "11|AIN EL ABD 1970|Saudi Arabia",
    "12|AMERICAN SAMOA 1962|Samoa Islands",
    "13|RD, AMERSFOORT|Netherlands",
    "14|ANNA 1 ASTRO 1965|Cocos Islands",
    "15|ARC 1950|Southern Africa",
    "16|ARC 1950|Botswana",
    "17|ARC 1950|Burundi",
    "18|ARC 1950|Lesotho",
    "19|ARC 1950|Malawi",
    "20|ARC 1950|Swaziland",
    "21|ARC 1950|Zaire",
    "22|ARC 1950|Zambia",
    "23|ARC 1950|Zimbabwe",
    "24|ARC 1960|Kenya",
    "25|ARC 1960|Tanzania",
    "26|ASCENSION ISLAND 1958|Ascension",
    "27|MONTSERRAT IS. ASTRO 1958|Montserrat",
    "28|ASTRO STATION 1952|Marcus Islands",
    "29|ASTRO BACON E 1845|Iwo Jima",
    "30|AUSTRALIAN GEODETIC 1966|Australia",
    "31|AUSTRALIAN GEODETIC 1984|Australia",
    "32|DJAKARTA|Indonesia",
    "33|BEKAA BASE SOUTH END|Lebanon",
    "34|BERMUDA 1957|Bermuda",
    "35|BISSAU|Guinea Bissau",
    "36|BOGOTA OBSERVATORY|Colombia",
    "37|BERNE (1898),|Switzerland",
    "38|BUKIT RIMPAH|Indonesia",
    "39|CAPE CANAVERAL|Florida & Bahamas",
    "40|CAMPO INCHAUSPE 1969|Argentina",
    "41|CANTON ASTRO 1966|Phoenix Islands",
    "42|CAPE|South Africa",
    "43|CAMP AREA ASTRO|Antarctica",
    "44|S-JTSK|Czech Republic",
    "45|S-JTSK|Slovakia",
    "46|CARTHAGE|Tunisia",
    "47|CHATHAM ISLAND ASTRO 1971|New Zealand",
    "48|CHUA ASTRO|Paraguay",
    "49|CH1903+|Switzerland",
    "50|CORREGO ALEGRE|Brazil",
    "51|OBSERVATOROI|Mozambique South",
    "52|CYPRUS 1935|Cyprus",
    "53|ESTONIA 1937|Estonia",
    "54|DABOLA|Guinea",
    "55|DECEPTION ISLAND|Antarctica",
    "56|GUX 1 ASTRO|Guadalcanal Island",
    "57|EASTER ISLAND 1967|Easter Island",
    "58|WAKE-ENIWETOK 1960|Marshall Islands",
    "59|EUROPEAN DATUM 1950|Europe",
    "60|EUROPEAN DATUM 1950|Western Europe",
    "61|EUROPEAN DATUM 1950|Norway & Finland",
    "62|EUROPEAN DATUM 1950|Denmark",
    "63|EUROPEAN DATUM 1950|Channel Islands",
    "64|EUROPEAN DATUM 1950|Portugal and Spain",
    "65|EUROPEAN DATUM 1950|Portugal",
    "66|EUROPEAN DATUM 1950|Balearic Islands",
    "67|EUROPEAN DATUM 1950|Spain (except NW),",
    "68|EUROPEAN DATUM 1950|Spain NW",
    "69|EUROPEAN DATUM 1950|Gibraltar",
    "70|EUROPEAN DATUM 1950|Italy - Sardinia",
    "71|EUROPEAN DATUM 1950|Italy - Sicily",
    "72|EUROPEAN DATUM 1950|Malta",
    "73|EUROPEAN DATUM 1950|Former Yugoslavia N",
    "74|EUROPEAN DATUM 1950|Greece",
    "75|EUROPEAN DATUM 1950|Cyprus",
    "76|EUROPEAN DATUM 1950|Turkey",
    "77|EUROPEAN DATUM 1950|Algeria",
    "78|EUROPEAN DATUM 1950|Tunisia",
    "79|EUROPEAN DATUM 1950|Egypt",
    "80|EUROPEAN DATUM 1950|Lebanon",
    "81|EUROPEAN DATUM 1950|Iran",
    "82|EUROPEAN DATUM 1950|Middle East",
    "83|EUROPEAN DATUM 1950|Oman",
    "84|EUROPEAN 1979|Europe",
    "85|EUROPEAN 1979|Portugal",
    "86|ETRF89|Europe",
    "87|FAHUD|Oman",
    "88|OBSERVATORIO MET. 1939|Flores",
    "89|FORT THOMAS 1955|St Kitts-Nevis",
    "90|GAN 1970|Rep. of Maldives",
    "91|GEOCENTRIC DATUM AUSTRALIA|Australia",
    "92|GEODETIC DATUM 1949|New Zealand",
    "93|DOS 1968|Gizo Islands",
    "94|GRACIOSA BASE SW 1948|Azores",
    "95|GGRS87|Greece",
    "96|GUNUNG SEGARA|Indonesia",
    "97|GUAM 1963|Guam",
    "98|HARTEBEESTHOCK 1994|South Africa",
    "99|HELSINKI, KALLIO CHURCH|Finland",
    "100|HERAT NORTH|Afghanistan",
    "101|MGI DATUM/HERMANNSKOGEL|Austria",
    "102|HERMANNSKOGEL|Former Yugoslavia",
    "103|HITO XVIII 1963|Chile",
    "104|HJORSEY 1955|Iceland",
    "105|HONG KONG 1963|Hong Kong",
    "106|HONG KONG 1980|Hong Kong",
    "107|HU-TZU-SHAN|Taiwan",
    "108|HUNGARIAN DATUM 1972|Hungary",
    "109|BELLEVUE (IGN),|Efate Island",
    "110|INDONESIAN 1974|Indonesia",
    "111|IRAQ-KUWAIT BOUNDARY 1992|Iraq/ Kuwait",
    "112|INDIAN|Bangladesh",
    "113|INDIAN|India & Nepal",
    "114|INDIAN|Pakistan",
    "115|INDIAN 1954|Thailand",
    "116|INDIAN 1960|Con Son Island",
    "117|INDIAN 1960|Vietnam",
    "118|1 INDIAN 1975|Thailand",
    "119|IRELAND 1965|Ireland",
    "120|ISTS 061 ASTRO 1968|South Georgia",
    "121|ISTS 073 ASTRO 1969|Diego Garcia",
    "122|JOHNSTON ISLAND 1961|Johnston Island",
    "123|KANDAWALA JACKSON?|Sri Lanka",
    "124|KERTAU 1948|Malaysia W & Sing.",
    "125|KERGUELEN ISLAND 1949|Kerguelen Island",
    "126|KOREAN GEODETIC SYSTEM 1995|South Korea",
    "127|KKJ|Finland",
    "128|KUSAIE ASTRO 1951|Caroline Island",
    "129|LC5 ASTRO 1961|Cayman Brac",
    "130|LEIGON|Ghana",
    "131|LIBERIA 1964|Liberia",
    "132|LISBON (Castelo di Sao Jorge), D7|Portugal",
    "133|LKS94|Lithuania",
    "134|LUXEMBOURG NT|Luxembourg",
    "135|LUZON|Philipines - Mindanao",
    "136|LUZON|Philipines",
    "137|MASSAWA|Eritrea",
    "138|MERCHICH|Morroco",
    "139|MIDWAY ASTRO 1961|Midway Islands",
    "140|MAHE 1971|Seychelles - Mahe Is.",
    "141|MINNA|Cameroon",
    "142|MINNA|Nigeria",
    "143|ROME 1940|Italy mainland",
    "144|ROME 1940|Italy - Sardinia",
    "145|ROME 1940|Italy - Sicily",
    "146|M'PORALOKO|Gabon",
    "147|VITI LEVU 1916|Fiji - Viti Levu",
    "148|NAHRWAN|Oman - Masirah Island",
    "149|NAHRWAN|Saudi Arabia",
    "150|NAHRWAN|United Arab Emirates",
    "151|NAPARIMA|Trinidad & Tobago",
    "152|NORTH AMERICAN 1983|US - Alaska",
    "153|NORTH AMERICAN 1983|US - Aleutian",
    "154|NORTH AMERICAN 1983|Canada",
    "155|NORTH AMERICAN 1983|US - CONUS",
    "156|NORTH AMERICAN 1983|US - Hawaii",
    "157|NORTH AMERICAN 1983|Mexico",
    "158|NORTH AMERICAN 1927|US - Alaska",
    "159|NORTH AMERICAN 1927|Canada",
    "160|NORTH AMERICAN 1927|Canada-Alberta/British Columbia",
    "161|NORTH AMERICAN 1927|US - Aleutian East",
    "162|NORTH AMERICAN 1927|US - Aleutian West",
    "163|NORTH AMERICAN 1927|Bahamas",
    "164|NORTH AMERICAN 1927|Canal Zone",
    "165|NORTH AMERICAN 1927|Caribbean",
    "166|NORTH AMERICAN 1927|Central America",
    "167|NORTH AMERICAN 1927|US - CONUS",
    "168|NORTH AMERICAN 1927|Cuba",
    "169|NORTH AMERICAN 1927|CanadaEast",
    "170|NORTH AMERICAN 1927|US - Eastern",
    "171|NORTH AMERICAN 1927|Greenland",
    "172|NORTH AMERICAN 1927|Canada - Manitoba/Ontario",
    "173|NORTH AMERICAN 1927|Mexico",
    "174|NORTH AMERICAN 1927|Canada - NW Territory",
    "175|NORTH AMERICAN 1927|San Salvador",
    "176|NORTH AMERICAN 1927|US - Western",
    "177|NORTH AMERICAN 1927|Canada - Yukon",
    "178|NTF|France",
    "179|NGO 1948|Norway",
    "180|NORTH SAHARA 1959|Algeria",
    "181|BELGIUM DATUM 1972|Belgium",
    "182|OLD EGYPTIAN 1907|Egypt",
    "183|ORDNANCE GB 1936|GB - Great Britain",
    "184|OLD HAWAI'IAN|US - Hawaii Mean",
    "185|OLD HAWAI'IAN|US - Hawaii",
    "186|OLD HAWAI'IAN|US - Kauai",
    "187|OLD HAWAI'IAN|US - Maui",
    "188|OLD HAWAI'IAN|US - Oahu",
    "189|OLD HAWAI'IAN|US - Hawaii",
    "190|OLD HAWAI'IAN|US - Hawaii",
    "191|OLD HAWAI'IAN|US - Kauai",
    "192|OLD HAWAI'IAN|US - Maui",
    "193|OLD HAWAI'IAN|US - Oahu",
    "194|PALESTINE 1928|Israel",
    "195|AYABELLA LIGHTHOUSE|Djibouti",
    "196|PITCAIRN ASTRO 1967|Pitcairn Island",
    "197|PICO DE LAS NIEVES.|Spain - Canary Islands",
    "198|PORTO SANTO 1936.|Portugal - Maderia",
    "199|PROV. S AMERICAN 1956|Bolivia",
    "200|PROV. S AMERICAN 1956|Colombia",
    "201|PROV. S AMERICAN 1956|Ecuador",
    "202|PROV. S AMERICAN 1956|Guyana",
    "203|PROV. S AMERICAN 1956|Chile North",
    "204|PROV. S AMERICAN 1956|Peru",
    "205|PROV. S AMERICAN 1956|South America",
    "206|PROV. S AMERICAN 1956|Chile South",
    "207|PROV. S AMERICAN 1956|Venezuela",
    "208|POINT 58|Burkina Faso & Niger",
    "209|POINT NOIRE 1948|Congo",
    "210|PULKOVO 1942|Russia",
    "211|PULKOVO 1942|Germany",
    "212|PULKOVO 1942|Estonia",
    "213|PUERTO RICO & Virgin Is.|Puerto Rico & Virgin Islands",
    "214|QATAR NATIONAL 1974|Qatar",
    "215|QATAR NATIONAL 1995|Qatar",
    "216|QORNOQ|Greenland South",
    "217|DHDN (RAUENBERG),|Germany",
    "218|REUNION|Mascarene Is",
    "219|RT90|Sweden",
    "220|SANTO(DOS), 1965|Vanuatu - Espirito Santo",
    "221|SOUTH AMERICAN 1969|Argentina",
    "222|SOUTH AMERICAN 1969|Galapagos",
    "223|SOUTH AMERICAN 1969|Bolivia",
    "224|SOUTH AMERICAN 1969|Brazil",
    "225|SOUTH AMERICAN 1969|Chile",
    "226|SOUTH AMERICAN 1969|Colombia",
    "227|SOUTH AMERICAN 1969|Ecuador",
    "228|SOUTH AMERICAN 1969|Guyana",
    "229|SOUTH AMERICAN 1969|Paraguay",
    "230|SOUTH AMERICAN 1969|Peru",
    "231|SOUTH AMERICAN 1969|South America",
    "232|SOUTH AMERICAN 1969|Trinidad",
    "233|SOUTH AMERICAN 1969|Venezuela",
    "234|SAO BRAZ|Santa Maria Islands",
    "235|SAPPER HILL 1943 (2000 adj),|Falkland Islands",
    "236|SCHWARZECK|Namibia",
    "237|SOUTH EAST ISLAND|Seychelles",
    "238|SOVIET GEODETIC SYSTEM 85|Russia",
    "239|PZ90 (GLONASS),|Russia",
    "240|SELVAGEM GRANDE 1938|Salvage Island",
    "241|DOS 71/4|St Helena",
    "242|SIERRA LEONE DATUM 1960|Sierra Leone",
    "243|SIRGAS|South America",
    "244|SOUTH ASIA|Singapore",
    "245|S-42 (PULKOVO 1942),|Albania",
    "246|S-42 (PK42),|Czechoslavakia",
    "247|S-42 (PULKOVO 1942),|Hungary",
    "248|S-42 (PULKOVO 1942),|Latvia",
    "249|S-42 (PK 1942),|Kazakhstan",
    "250|SYSTEM 1942/58 (PULKOVO 1942),|Poland",
    "251|S-42 (PULKOVO 1942),|Poland",
    "252|S-42 (PULKOVO 1942),|Romania",
    "253|S-42 (PULKOVO 1942),|Romania",
    "254|S-42 (PULKOVO 1942),|Afghanistan",
    "255|TANANARIVE OBSERVATORY|Madagascar",
    "256|TRISTAN ASTRO 1968|Tristan da Cunha",
    "257|TETE|Mozambique",
    "258|TIMBALAI 1948 (Everest),|Malaysia E & Brunei",
    "259|TIMBALAI 1968,Adj of 1948|Malaysia E & Brunei",
    "260|TIMBALAI 1968, Adj of 1948|Malaysia E & Brunei",
    "261|TIMBALAI 1948 (Bessel),|Malaysia E & Brunei",
    "262|TOKYO|Japan",
    "263|TOKYO|South Korea",
    "264|TOKYO|Japan - Okinawa",
    "265|TERN ISLAND (FRIG), 1961|Antarctica",
    "266|VOIROL 1875|Algeria",
    "267|WAKE ISLAND ASTRO 1952|Wake Island",
    "268|WORLD GEODETIC SYSTEM 1972|World",
    "269|WORLD GEODETIC SYSTEM 1984|World",
    "270|YACARE|Uruguay",
    "271|ZANDERIJ|Suriname",
};

TEST(DatumTable, NamesAndAreasAreStoredUncut) {
  ASSERT_EQ(std::size(kNamesAndAreas), static_cast<size_t>(GeoDatumCount));
  for (int i = 0; i < GeoDatumCount; ++i) {
    const std::string entry = kNamesAndAreas[i];
    const size_t bar1 = entry.find('|'), bar2 = entry.find('|', bar1 + 1);
    ASSERT_NE(bar2, std::string::npos) << entry;
    const int number = std::stoi(entry.substr(0, bar1));
    const std::string name = entry.substr(bar1 + 1, bar2 - bar1 - 1), area = entry.substr(bar2 + 1);
    ASSERT_EQ(number, i + 1);
    // Equality with the full text also proves the bounded fields cut nothing.
    EXPECT_EQ(Datum(number).Name.str(), name) << "datum " << number;
    EXPECT_EQ(Datum(number).Area.str(), area) << "datum " << number;
    EXPECT_LE(name.size(), 33u) << "datum " << number;
    EXPECT_LE(area.size(), 35u) << "datum " << number;
  }
}

struct FixedRow {
  int Number;
  const char* Name;
  const char* Area;
  TGeoEllipsoid Ellipsoid;
  double DX, DY, DZ, Scale, RotX, RotY, RotZ;
};

// Rows whose every value is fixed, as they are stored.
const FixedRow kFixedRows[] = {
    {1, "ACCRA", "Ghana", gelWarOffice, -199, 32, 322, 0, 0, 0, 0},
    {2, "ADINDAN", "Burkina Faso", gelClrk80, -118, -14, 218, 0, 0, 0, 0},
    {13, "RD, AMERSFOORT", "Netherlands", gelBess41, 565, 49.9, 465.8, 4.08, -0.409, 0.36, -1.869},
    {15, "ARC 1950", "Southern Africa", gelClrk80, -143, -90, -294, 0, 0, 0, 0},
    {44, "S-JTSK", "Czech Republic", gelBess41, 570.8, 85.7, 462.8, 3.56, 4.998, 1.587, 5.261},
    {59, "EUROPEAN DATUM 1950", "Europe", gelInt24, -87, -98, -121, 0, 0, 0, 0},
    {183, "ORDNANCE GB 1936", "GB - Great Britain", gelAiry30, 446.448, -125.157, 542.06, -20.49, 0.15, 0.247,
     0.8421},
    {211, "PULKOVO 1942", "Germany", gelKrass40, 24, -123, -94, 1.1, -0.02, 0.25, 0.13},
    {217, "DHDN (RAUENBERG),", "Germany", gelBess41, 582, 105, 414, 8.3, 1.04, 0.35, -3.08},
    {268, "WORLD GEODETIC SYSTEM 1972", "World", gelWGS72, 0, 0, 4.5, 0.219, 0, 0, 0.554},
    {269, "WORLD GEODETIC SYSTEM 1984", "World", gelWGS84, 0, 0, 0, 0, 0, 0, 0},
    {271, "ZANDERIJ", "Suriname", gelInt24, -265, 120, -358, 0, 0, 0, 0},
};

TEST(DatumTable, FixedRowsHoldExactlyTheirValues) {
  for (const FixedRow& row : kFixedRows) {
    const TGeoDatum& d = Datum(row.Number);
    SCOPED_TRACE("datum " + std::to_string(row.Number));
    EXPECT_EQ(d.Name.str(), row.Name);
    EXPECT_EQ(d.Area.str(), row.Area);
    EXPECT_EQ(d.Ellipsoid, row.Ellipsoid);
    EXPECT_EQ(d.DX, row.DX);
    EXPECT_EQ(d.DY, row.DY);
    EXPECT_EQ(d.DZ, row.DZ);
    EXPECT_EQ(d.Scale, row.Scale);
    EXPECT_EQ(d.RotX, row.RotX);
    EXPECT_EQ(d.RotY, row.RotY);
    EXPECT_EQ(d.RotZ, row.RotZ);
  }
}

TEST(DatumTable, EveryRecordIsAPlausibleShiftOnARealEllipsoid) {
  const std::set<int> spheres = {gelSphere, gelAuthSph, gelInt24AuthSph, gelPopVisSphere};
  for (int n = 1; n <= GeoDatumCount; ++n) {
    const TGeoDatum& d = Datum(n);
    SCOPED_TRACE("datum " + std::to_string(n) + " " + d.Name.str());
    ASSERT_GE(static_cast<int>(d.Ellipsoid), 0);
    ASSERT_LT(static_cast<int>(d.Ellipsoid), GeoEllipsoidCount);
    EXPECT_EQ(spheres.count(d.Ellipsoid), 0u);
    // Kusaie Astro 1951 (128) is the one published shift beyond 1.5 km.
    const double limit = n == 128 ? 2000 : 1500;
    for (double t : {d.DX, d.DY, d.DZ}) EXPECT_LT(std::fabs(t), limit);
    EXPECT_LT(std::fabs(d.Scale), 50);
    for (double r : {d.RotX, d.RotY, d.RotZ}) EXPECT_LT(std::fabs(r), 20);
  }
}

// --- Cross-check against PROJ's copy of the EPSG dataset ------------------

const char* const kProjDb = "/usr/share/proj/proj.db";

class ProjDb : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kProjDb)) GTEST_SKIP() << kProjDb << " is not installed (package proj-data)";
    ASSERT_EQ(sqlite3_open_v2(kProjDb, &db_, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  }
  void TearDown() override { sqlite3_close(db_); }

  // Runs a query with text parameters ?1, ?2 ...; calls onRow for each row.
  template <class F>
  void Query(const char* sql, std::initializer_list<std::string> params, F onRow) {
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db_, sql, -1, &stmt, nullptr), SQLITE_OK) << sqlite3_errmsg(db_);
    int index = 0;
    for (const std::string& param : params) sqlite3_bind_text(stmt, ++index, param.c_str(), -1, SQLITE_TRANSIENT);
    while (sqlite3_step(stmt) == SQLITE_ROW) onRow(stmt);
    sqlite3_finalize(stmt);
  }

  sqlite3* db_ = nullptr;
};

std::string Text(sqlite3_stmt* s, int col) {
  const unsigned char* t = sqlite3_column_text(s, col);
  return t ? reinterpret_cast<const char*>(t) : "";
}

struct ShiftCheck {
  int Number;       // our record
  int Code;         // transformation to WGS 84 in the database
  const char* Crs;  // its source CRS, to catch a code that names another datum
  const char* Area; // text the EPSG area of use must contain
  double Tol;       // m, arc seconds and ppm alike
  int RotSign = 1;  // -1: rotations kept with the published coordinate-frame signs
  const char* Authority = "EPSG";
};

// Tolerances: 1e-6 where the record copies the set; 0.05 where the record
// stores the set rounded (13 to 0.1 m / 0.001" / 0.01 ppm, 183 scale
// -20.489 -> -20.49 and rz 0.842 -> 0.8421 as the survey publishes it).
const ShiftCheck kShiftChecks[] = {
    {1, 1569, "Accra", "Ghana", 1e-6},
    {2, 1101, "Adindan", "Burkina Faso", 1e-6},
    {6, 1100, "Adindan", "Sudan", 1e-6},
    {13, 1672, "Amersfoort", "Netherlands", 0.05},
    {15, 1113, "Arc 1950", "Zimbabwe", 1e-6},
    {16, 1114, "Arc 1950", "Botswana", 1e-6},
    {24, 1284, "Arc 1960", "Kenya", 1e-6},
    {30, 1108, "AGD66", "Australia", 1e-6},
    {37, 1753, "CH1903", "Switzerland", 1e-6},
    {44, 1623, "S-JTSK", "Czechia", 1e-6},
    {45, 4836, "S-JTSK", "Slovakia", 1e-6},
    {59, 1133, "ED50", "DMA ED50 mean", 1e-6},
    {62, 1627, "ED50", "Denmark", 1e-6},
    {66, 1631, "ED50", "Balearic", 1e-6},
    {101, 1618, "MGI", "Austria", 1e-6},
    {106, 1825, "Hong Kong 1980", "Hong Kong", 1e-6},
    {108, 1448, "HD72", "Hungary", 1e-6},
    {119, 1641, "TM65", "Ireland", 1e-6},
    {127, 1639, "KKJ", "Finland", 1e-6},
    {132, 1988, "Lisbon", "Portugal", 1e-6},
    {134, 5486, "LUREF", "Luxembourg", 1e-6},
    {142, 1168, "Minna", "Nigeria", 1e-6},
    {167, 1173, "NAD27", "CONUS", 1e-6},
    {173, 1187, "NAD27", "Mexico", 1e-6},
    {178, 1193, "NTF", "France", 1e-6},
    {179, 1654, "NGO 1948", "Norway", 1e-6},
    {181, 15929, "BD72", "Belgium", 1e-6},
    {183, 1314, "OSGB36", "Great Britain", 0.05},
    {194, 1074, "Palestine 1923", "Israel", 1e-6},
    {210, 1254, "Pulkovo 1942", "Russia", 1e-6},
    // 211 is fixed with the rotations as published for the coordinate-frame
    // method; the check pins that sign so a change to it is noticed.
    {211, 1675, "Pulkovo 1942(83)", "East Germany", 1e-6, -1},
    {212, 1334, "Pulkovo 1942", "Estonia", 1e-6},
    {215, 1840, "QND95", "Qatar", 1e-6},
    {217, 1673, "DHDN", "West Germany", 1e-6},
    {219, 1680, "RT90", "Sweden", 1e-6},
    {221, 1865, "SAD69", "Argentina", 1e-6},
    {231, 1864, "SAD69", "South America", 1e-6},
    {239, 1244, "PZ-90", "Russia", 1e-6},
    {250, 1645, "Pulkovo 1942(58)", "Poland", 1e-6},
    {253, 15995, "Pulkovo 1942(58)", "Romania", 1e-6},
    {262, 1231, "Tokyo", "Japan", 1e-6},
    {263, 1232, "Tokyo", "South Korea", 1e-6},
    {268, 1238, "WGS 72", "World", 1e-6},
    {271, 1235, "Zanderij", "Suriname", 1e-6},
    // Table values EPSG does not hold; PROJ carries them under ESRI codes.
    {53, 108261, "GCS_Estonia_1937", "Estonia", 1e-6, 1, "ESRI"},
    {189, 108330, "GCS_Old_Hawaiian_Intl_1924", "Hawaii - onshore", 1e-6, 1, "ESRI"},
    {190, 108331, "GCS_Old_Hawaiian_Intl_1924", "island of Hawaii", 1e-6, 1, "ESRI"},
    {191, 108332, "GCS_Old_Hawaiian_Intl_1924", "Kauai", 1e-6, 1, "ESRI"},
    {192, 108333, "GCS_Old_Hawaiian_Intl_1924", "Maui", 1e-6, 1, "ESRI"},
    {193, 108334, "GCS_Old_Hawaiian_Intl_1924", "Oahu", 1e-6, 1, "ESRI"},
    {244, 108269, "GCS_South_Asia_Singapore", "Singapore", 1e-6, 1, "ESRI"},
};

TEST_F(ProjDb, ParametersMatchThePublishedTransformations) {
  // Rotations and scale in the units of the row, converted through the
  // database's own unit table; coordinate-frame sets (9607) flip the sign of
  // the rotations into our position-vector form.
  const char* sql =
      "SELECT c.name, e.name, h.method_code, h.target_crs_code, h.deprecated, h.tx, h.ty, h.tz, h.rx, h.ry, h.rz,"
      " h.scale_difference, ru.conv_factor, su.conv_factor"
      " FROM helmert_transformation_table h"
      " JOIN geodetic_crs c ON c.auth_name = h.source_crs_auth_name AND c.code = h.source_crs_code"
      " JOIN usage u ON u.object_table_name = 'helmert_transformation' AND u.object_auth_name = h.auth_name"
      "  AND u.object_code = h.code"
      " JOIN extent e ON e.auth_name = u.extent_auth_name AND e.code = u.extent_code"
      " LEFT JOIN unit_of_measure ru ON ru.auth_name = h.rotation_uom_auth_name AND ru.code = h.rotation_uom_code"
      " LEFT JOIN unit_of_measure su ON su.auth_name = h.scale_difference_uom_auth_name"
      "  AND su.code = h.scale_difference_uom_code"
      " WHERE h.auth_name = ?1 AND h.code = ?2";
  const double arcSecond = std::numbers::pi / 180 / 3600;
  for (const ShiftCheck& check : kShiftChecks) {
    const TGeoDatum& d = Datum(check.Number);
    SCOPED_TRACE("datum " + std::to_string(check.Number) + " " + check.Authority + " " + std::to_string(check.Code));
    int rows = 0;
    Query(sql, {check.Authority, std::to_string(check.Code)}, [&](sqlite3_stmt* s) {
      ++rows;
      EXPECT_EQ(Text(s, 0), check.Crs);
      EXPECT_NE(Text(s, 1).find(check.Area), std::string::npos) << Text(s, 1);
      EXPECT_EQ(Text(s, 3), "4326");
      EXPECT_EQ(sqlite3_column_int(s, 4), 0);
      const std::string method = Text(s, 2);
      EXPECT_NEAR(d.DX, sqlite3_column_double(s, 5), check.Tol);
      EXPECT_NEAR(d.DY, sqlite3_column_double(s, 6), check.Tol);
      EXPECT_NEAR(d.DZ, sqlite3_column_double(s, 7), check.Tol);
      if (method == "9603") {
        EXPECT_EQ(d.Scale, 0);
        EXPECT_EQ(d.RotX, 0);
        EXPECT_EQ(d.RotY, 0);
        EXPECT_EQ(d.RotZ, 0);
        return;
      }
      ASSERT_TRUE(method == "9606" || method == "9607") << method;
      const double toArcSec = sqlite3_column_double(s, 12) / arcSecond * (method == "9607" ? -1 : 1) * check.RotSign;
      const double toPpm = sqlite3_column_double(s, 13) / 1e-6;
      EXPECT_NEAR(d.RotX, sqlite3_column_double(s, 8) * toArcSec, check.Tol);
      EXPECT_NEAR(d.RotY, sqlite3_column_double(s, 9) * toArcSec, check.Tol);
      EXPECT_NEAR(d.RotZ, sqlite3_column_double(s, 10) * toArcSec, check.Tol);
      EXPECT_NEAR(d.Scale, sqlite3_column_double(s, 11) * toPpm, check.Tol);
    });
    EXPECT_EQ(rows, 1);
  }
}

TEST_F(ProjDb, EllipsoidAxesMatchTheEpsgEllipsoidOfTheDatum) {
  // Source CRS -> datum -> ellipsoid; b from the stored minor axis or from
  // the inverse flattening. 1 mm covers the catalogue's rounding of b.
  const char* sql =
      "SELECT el.semi_major_axis * uom.conv_factor, el.semi_minor_axis * uom.conv_factor, el.inv_flattening"
      " FROM geodetic_crs c"
      " JOIN geodetic_datum gd ON gd.auth_name = c.datum_auth_name AND gd.code = c.datum_code"
      " JOIN ellipsoid el ON el.auth_name = gd.ellipsoid_auth_name AND el.code = gd.ellipsoid_code"
      " JOIN unit_of_measure uom ON uom.auth_name = el.uom_auth_name AND uom.code = el.uom_code"
      " WHERE c.auth_name = 'EPSG' AND c.name = ? AND c.type = 'geographic 2D' AND c.deprecated = 0";
  const std::pair<int, const char*> datums[] = {
      {13, "Amersfoort"},     {30, "AGD66"},         {59, "ED50"},          {108, "HD72"},
      {119, "TM65"},          {124, "Kertau 1968"},  {167, "NAD27"},        {178, "NTF"},
      {179, "NGO 1948"},      {183, "OSGB36"},       {194, "Palestine 1923"}, {210, "Pulkovo 1942"},
      {221, "SAD69"},         {236, "Schwarzeck"},   {258, "Timbalai 1948"}, {262, "Tokyo"},
  };
  for (const auto& [number, crs] : datums) {
    SCOPED_TRACE("datum " + std::to_string(number) + " " + crs);
    const TGeoEllipsoid e = Datum(number).Ellipsoid;
    int rows = 0;
    Query(sql, {crs}, [&](sqlite3_stmt* s) {
      ++rows;
      const double a = sqlite3_column_double(s, 0);
      const double b = sqlite3_column_type(s, 1) != SQLITE_NULL ? sqlite3_column_double(s, 1)
                                                                 : a * (1 - 1 / sqlite3_column_double(s, 2));
      EXPECT_NEAR(GeoEllipsoidData[e][0], a, 1e-3);
      EXPECT_NEAR(GeoEllipsoidData[e][1], b, 1e-3);
    });
    EXPECT_EQ(rows, 1);
  }
}

}  // namespace
}  // namespace orq
