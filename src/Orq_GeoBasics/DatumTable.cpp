// The built-in datum table: 271 datums with the seven parameters that carry
// each of them into WGS 84 (record 269, all zeros).
//
// Where the values come from
//   - Regional entries (most records) carry the classic three-parameter
//     geocentric translations of the DMA/NIMA datum tables (TR 8350.2 and its
//     predecessors), as EPSG also lists them; ellipsoids are those of that
//     table, with its "Clarke 1880" mapped to gelClrk80 throughout.
//   - National datums carry published seven-parameter sets: RD Amersfoort,
//     S-JTSK, OSGB36, DHDN, Pulkovo 1942 (Germany, Estonia, Poland 1942/58,
//     Romania), MGI, RT90, KKJ, BD72, NGO 1948, HD72, Lisbon, Luxembourg,
//     Hong Kong 1980, Qatar 1995, Palestine 1923, PZ-90, Berne 1898 (CH1903),
//     Ireland 1965, Timbalai (Brunei), ED50 for Denmark, Portugal, Spain and
//     Turkey, Rome 1940 mainland and Sicily, WGS 72.
//   - Geocentric datums (ETRF89, GDA94, NAD83, SIRGAS, LKS94, Hartebeesthoek94,
//     KGS 1995, IKBD-92) are taken as coincident with WGS 84 (zero shift), apart
//     from the DMA NAD83 values for the Aleutians and Hawaii.
// The trailing comment of each row names the source: an EPSG transformation
// code, "DMA"/"NGA" for a table value EPSG does not hold, or "derived".
//
// Sign convention
//   Every record holds the parameters from its datum INTO WGS 84, in the
//   position-vector convention:
//     X1 = k*(X - Y*rz + Z*ry) + DX,  k = 1 + Scale*1e-6
//     Y1 = k*(Y + X*rz - Z*rx) + DY
//     Z1 = k*(Z - X*ry + Y*rx) + DZ
//   with rotations in arc seconds and scale in parts per million. Sets
//   published in the coordinate-frame convention (EPSG method 9607) are
//   stored with their rotations negated; rotations published in microradians
//   or centesimal seconds are converted to arc seconds.
//
// Records that do not follow EPSG's preferred transformation for the datum
//   - Regional DMA three-parameter sets are kept even where EPSG prefers a
//     national seven-parameter set or a grid (NAD27, NTF, Tokyo, Pulkovo 1942
//     Russia, ED50 mean and regions, NZGD49, AGD66/84, Kalianpur, ...): the
//     table is a set of regional parameter sets and names the region.
//   - 13 Amersfoort: EPSG 1672 rounded (not the later 15934/4833).
//   - 17 ARC 1950 Burundi: the DMA value, which EPSG files under Arc 1960.
//   - 37 BERNE (1898): no own set is published; it carries the CH1903 set of
//     the same triangulation (EPSG 1753).
//   - 52 CYPRUS 1935: no published set is known to us; it carries the ED50
//     Cyprus shift with its International 1924 ellipsoid, so positions on this
//     record are in effect ED50 (Cyprus).
//   - 73 ED50 Former Yugoslavia N and 77 ED50 Algeria: no regional set is
//     published; they carry the ED50 mean for Europe.
//   - 80 ED50 Lebanon and 83 ED50 Oman: the DMA Middle East mean.
//   - 85 EUROPEAN 1979 Portugal: no regional set; the ED79 mean.
//   - 99 HELSINKI, KALLIO CHURCH: the KKJ origin; carries the later KKJ set
//     (EPSG 10099) while 127 KKJ carries EPSG 1639.
//   - 157 NAD83 Mexico: the DMA zero shift; EPSG has no NAD83 entry for Mexico.
//   - 183 OSGB36: the seven-parameter EPSG 1314 with its scale rounded, not
//     the national grid transformation.
//   - 211 PULKOVO 1942 Germany keeps its fixed values, which are the EPSG
//     1675 rotations with their coordinate-frame signs (-0.02, 0.25, 0.13)
//     rather than negated. Read in the position-vector form above, positions
//     differ from EPSG 1675 by about 16 m in East Germany; flipping the three
//     signs would remove that.
//   - 217 DHDN: EPSG 1673, the set defined for ETRS89 (not 1777).
//   - 238 SGS 85: the three-parameter set (3, 9, -9) of the NGA tables; EPSG
//     and PROJ hold no SGS 85 datum to check it against.
//   - 254 S-42 Afghanistan: no regional set; carries the DMA Russia value.
//   - 259/260 TIMBALAI 1968 adjustments: the Brunei sets EPSG 1592 and 5249.
//   - 261 TIMBALAI 1948 (Bessel): no published Bessel set. The DMA Everest set
//     (-679, 669, -48) re-expressed on Bessel 1841 at 4.5N 115E and rounded
//     to a metre; it agrees with the Everest record within 10 m over
//     Malaysia E & Brunei, inside the 25 m accuracy of the DMA set.
//   - 268 WGS 72: EPSG 1238 (scale 0.219 ppm), the DMA form.

#include "orqcarta/Orq_GeoBasics.h"

namespace orq {

// Element 0 holds datum 1. Row layout: Name, Area, Ellipsoid, DX, DY, DZ (m),
// Scale (ppm), RotX, RotY, RotZ (arc seconds).
const TGeoDatum GeoDatumData[GeoDatumCount] = {
    {"ACCRA", "Ghana", gelWarOffice, -199, 32, 322, 0, 0, 0, 0},  // 1: EPSG 1569
    {"ADINDAN", "Burkina Faso", gelClrk80, -118, -14, 218, 0, 0, 0, 0},  // 2: EPSG 1101
    {"ADINDAN", "Cameroon", gelClrk80, -134, -2, 210, 0, 0, 0, 0},  // 3: EPSG 1102
    {"ADINDAN", "Ethiopa", gelClrk80, -165, -11, 206, 0, 0, 0, 0},  // 4: EPSG 1103
    {"ADINDAN", "Mali", gelClrk80, -123, -20, 220, 0, 0, 0, 0},  // 5: EPSG 1104
    {"ADINDAN", "Mean", gelClrk80, -166, -15, 204, 0, 0, 0, 0},  // 6: EPSG 1100
    {"ADINDAN", "Senegal", gelClrk80, -128, -18, 224, 0, 0, 0, 0},  // 7: EPSG 1105
    {"ADINDAN", "Sudan", gelClrk80, -161, -14, 205, 0, 0, 0, 0},  // 8: EPSG 1106
    {"ANTIGUA ISLAND ASTRO 1943", "Antigua", gelClrk80, -270, 13, 62, 0, 0, 0, 0},  // 9: EPSG 15811
    {"AIN EL ABD 1970", "Bahrain", gelInt24, -150, -250, -1, 0, 0, 0, 0},  // 10: EPSG 1110
    {"AIN EL ABD 1970", "Saudi Arabia", gelInt24, -143, -236, 7, 0, 0, 0, 0},  // 11: EPSG 1111
    {"AMERICAN SAMOA 1962", "Samoa Islands", gelClrk66, -115, 118, 426, 0, 0, 0, 0},  // 12: EPSG 1577
    // 13: EPSG 1672, microradians to arc seconds, negated, rounded
    {"RD, AMERSFOORT", "Netherlands", gelBess41, 565, 49.9, 465.8, 4.08, -0.409, 0.36, -1.869},
    {"ANNA 1 ASTRO 1965", "Cocos Islands", gelAuNat65, -491, -22, 435, 0, 0, 0, 0},  // 14: EPSG 15794
    {"ARC 1950", "Southern Africa", gelClrk80, -143, -90, -294, 0, 0, 0, 0},  // 15: EPSG 1113
    {"ARC 1950", "Botswana", gelClrk80, -138, -105, -289, 0, 0, 0, 0},  // 16: EPSG 1114
    {"ARC 1950", "Burundi", gelClrk80, -153, -5, -292, 0, 0, 0, 0},  // 17: EPSG 3998
    {"ARC 1950", "Lesotho", gelClrk80, -125, -108, -295, 0, 0, 0, 0},  // 18: EPSG 1116
    {"ARC 1950", "Malawi", gelClrk80, -161, -73, -317, 0, 0, 0, 0},  // 19: EPSG 1117
    {"ARC 1950", "Swaziland", gelClrk80, -134, -105, -295, 0, 0, 0, 0},  // 20: EPSG 1118
    {"ARC 1950", "Zaire", gelClrk80, -169, -19, -278, 0, 0, 0, 0},  // 21: DMA
    {"ARC 1950", "Zambia", gelClrk80, -147, -74, -283, 0, 0, 0, 0},  // 22: EPSG 1120
    {"ARC 1950", "Zimbabwe", gelClrk80, -142, -96, -293, 0, 0, 0, 0},  // 23: EPSG 1121
    {"ARC 1960", "Kenya", gelClrk80, -157, -2, -299, 0, 0, 0, 0},  // 24: EPSG 1284
    {"ARC 1960", "Tanzania", gelClrk80, -175, -23, -303, 0, 0, 0, 0},  // 25: EPSG 1285
    {"ASCENSION ISLAND 1958", "Ascension", gelInt24, -205, 107, 53, 0, 0, 0, 0},  // 26: EPSG 15797
    {"MONTSERRAT IS. ASTRO 1958", "Montserrat", gelClrk80, 174, 359, 365, 0, 0, 0, 0},  // 27: EPSG 1444
    {"ASTRO STATION 1952", "Marcus Islands", gelInt24, 124, -234, -25, 0, 0, 0, 0},  // 28: EPSG 15799
    {"ASTRO BACON E 1845", "Iwo Jima", gelInt24, 145, 75, -272, 0, 0, 0, 0},  // 29: EPSG 15796
    {"AUSTRALIAN GEODETIC 1966", "Australia", gelAuNat65, -133, -48, 148, 0, 0, 0, 0},  // 30: EPSG 1108
    {"AUSTRALIAN GEODETIC 1984", "Australia", gelAuNat65, -134, -48, 149, 0, 0, 0, 0},  // 31: EPSG 1109
    {"DJAKARTA", "Indonesia", gelBess41, -377, 681, -50, 0, 0, 0, 0},  // 32: EPSG 8452
    {"BEKAA BASE SOUTH END", "Lebanon", gelClrk80IGN, -183, -15, 273, 0, 0, 0, 0},  // 33: EPSG 6911
    {"BERMUDA 1957", "Bermuda", gelClrk66, -73, 213, 296, 0, 0, 0, 0},  // 34: EPSG 1124
    {"BISSAU", "Guinea Bissau", gelInt24, -173, 253, 27, 0, 0, 0, 0},  // 35: EPSG 1547
    {"BOGOTA OBSERVATORY", "Colombia", gelInt24, 307, 304, -318, 0, 0, 0, 0},  // 36: EPSG 1125
    // 37: EPSG 1753, rotations negated
    {"BERNE (1898),", "Switzerland", gelBess41, 660.077, 13.551, 369.344, 5.66, -0.804816, -0.577692, -0.952236},
    {"BUKIT RIMPAH", "Indonesia", gelBess41, -384, 664, -48, 0, 0, 0, 0},  // 38: EPSG 1126
    {"CAPE CANAVERAL", "Florida & Bahamas", gelClrk66, -2, 151, 181, 0, 0, 0, 0},  // 39: EPSG 15804
    {"CAMPO INCHAUSPE 1969", "Argentina", gelInt24, -148, 136, 90, 0, 0, 0, 0},  // 40: EPSG 1127
    {"CANTON ASTRO 1966", "Phoenix Islands", gelInt24, 298, -304, -375, 0, 0, 0, 0},  // 41: EPSG 15803
    {"CAPE", "South Africa", gelClrk80, -136, -108, -292, 0, 0, 0, 0},  // 42: EPSG 1128
    {"CAMP AREA ASTRO", "Antarctica", gelInt24, -104, -129, 239, 0, 0, 0, 0},  // 43: EPSG 15802
    {"S-JTSK", "Czech Republic", gelBess41, 570.8, 85.7, 462.8, 3.56, 4.998, 1.587, 5.261},  // 44: EPSG 1623
    {"S-JTSK", "Slovakia", gelBess41, 485, 169.5, 483.8, 0, 7.786, 4.398, 4.103},  // 45: EPSG 4836
    {"CARTHAGE", "Tunisia", gelClrk80, -263, 6, 431, 0, 0, 0, 0},  // 46: EPSG 1130
    {"CHATHAM ISLAND ASTRO 1971", "New Zealand", gelInt24, 175, -38, 113, 0, 0, 0, 0},  // 47: EPSG 1080
    {"CHUA ASTRO", "Paraguay", gelInt24, -134, 229, -29, 0, 0, 0, 0},  // 48: EPSG 1131
    {"CH1903+", "Switzerland", gelBess41, 674.374, 15.056, 405.346, 0, 0, 0, 0},  // 49: EPSG 1676
    {"CORREGO ALEGRE", "Brazil", gelInt24, -206, 172, -6, 0, 0, 0, 0},  // 50: EPSG 1132
    {"OBSERVATOROI", "Mozambique South", gelClrk66, -132, -110, -335, 0, 0, 0, 0},  // 51: EPSG 6900
    {"CYPRUS 1935", "Cyprus", gelInt24, -104, -101, -140, 0, 0, 0, 0},  // 52: EPSG 1136
    {"ESTONIA 1937", "Estonia", gelBess41, 374, 150, 588, 0, 0, 0, 0},  // 53: NGA
    {"DABOLA", "Guinea", gelClrk80, -83, 37, 124, 0, 0, 0, 0},  // 54: EPSG 1518
    {"DECEPTION ISLAND", "Antarctica", gelClrk80, 260, 12, -147, 0, 0, 0, 0},  // 55: EPSG 15812
    {"GUX 1 ASTRO", "Guadalcanal Island", gelInt24, 252, -209, -751, 0, 0, 0, 0},  // 56: EPSG 15807
    {"EASTER ISLAND 1967", "Easter Island", gelInt24, 211, 147, 111, 0, 0, 0, 0},  // 57: EPSG 15806
    {"WAKE-ENIWETOK 1960", "Marshall Islands", gelHough60, 102, 52, -38, 0, 0, 0, 0},  // 58: EPSG 15822
    {"EUROPEAN DATUM 1950", "Europe", gelInt24, -87, -98, -121, 0, 0, 0, 0},  // 59: DMA mean (EPSG 1133)
    {"EUROPEAN DATUM 1950", "Western Europe", gelInt24, -87, -96, -120, 0, 0, 0, 0},  // 60: EPSG 1134
    {"EUROPEAN DATUM 1950", "Norway & Finland", gelInt24, -87, -95, -120, 0, 0, 0, 0},  // 61: EPSG 1139
    {"EUROPEAN DATUM 1950", "Denmark", gelInt24, -81.1, -89.4, -115.8, -0.54, 0.485, 0.024, 0.413},  // 62: EPSG 1627
    {"EUROPEAN DATUM 1950", "Channel Islands", gelInt24, -86, -96, -120, 0, 0, 0, 0},  // 63: EPSG 1138
    {"EUROPEAN DATUM 1950", "Portugal and Spain", gelInt24, -84, -107, -120, 0, 0, 0, 0},  // 64: EPSG 1145
    // 65: EPSG 1989, rotations negated
    {"EUROPEAN DATUM 1950", "Portugal", gelInt24, -74.292, -135.889, -104.967, -3.761, -0.524, -0.136, 0.61},
    // 66: EPSG 1631
    {"EUROPEAN DATUM 1950", "Balearic Islands", gelInt24, -181.5, -90.3, -187.2, 17.57, 0.144, 0.492, -0.394},
    // 67: EPSG 1633
    {"EUROPEAN DATUM 1950", "Spain (except NW),", gelInt24, -131, -100.3, -163.4, 9.39, -1.244, -0.02, -1.144},
    {"EUROPEAN DATUM 1950", "Spain NW", gelInt24, -178.4, -83.2, -221.3, 21.2, 0.54, -0.532, -0.126},  // 68: EPSG 1635
    {"EUROPEAN DATUM 1950", "Gibraltar", gelInt24, -116.8, -106.4, -154.4, 0, 0, 0, 0},  // 69: EPSG 1629
    {"EUROPEAN DATUM 1950", "Italy - Sardinia", gelInt24, -97, -103, -120, 0, 0, 0, 0},  // 70: EPSG 1142
    {"EUROPEAN DATUM 1950", "Italy - Sicily", gelInt24, -97, -88, -135, 0, 0, 0, 0},  // 71: EPSG 1143
    {"EUROPEAN DATUM 1950", "Malta", gelInt24, -107, -88, -149, 0, 0, 0, 0},  // 72: EPSG 1144
    {"EUROPEAN DATUM 1950", "Former Yugoslavia N", gelInt24, -87, -98, -121, 0, 0, 0, 0},  // 73: EPSG 1133
    {"EUROPEAN DATUM 1950", "Greece", gelInt24, -84, -95, -130, 0, 0, 0, 0},  // 74: EPSG 1140
    {"EUROPEAN DATUM 1950", "Cyprus", gelInt24, -104, -101, -140, 0, 0, 0, 0},  // 75: EPSG 1136
    {"EUROPEAN DATUM 1950", "Turkey", gelInt24, -84.1, -101.8, -129.7, 1.05, 0, 0, 0.468},  // 76: EPSG 1784
    {"EUROPEAN DATUM 1950", "Algeria", gelInt24, -87, -98, -121, 0, 0, 0, 0},  // 77: EPSG 1133
    {"EUROPEAN DATUM 1950", "Tunisia", gelInt24, -112, -77, -145, 0, 0, 0, 0},  // 78: EPSG 1245
    {"EUROPEAN DATUM 1950", "Egypt", gelInt24, -130, -117, -151, 0, 0, 0, 0},  // 79: EPSG 1137
    {"EUROPEAN DATUM 1950", "Lebanon", gelInt24, -103, -106, -141, 0, 0, 0, 0},  // 80: EPSG 1135
    {"EUROPEAN DATUM 1950", "Iran", gelInt24, -117, -132, -164, 0, 0, 0, 0},  // 81: EPSG 1141
    {"EUROPEAN DATUM 1950", "Middle East", gelInt24, -103, -106, -141, 0, 0, 0, 0},  // 82: EPSG 1135
    {"EUROPEAN DATUM 1950", "Oman", gelInt24, -103, -106, -141, 0, 0, 0, 0},  // 83: EPSG 1135
    {"EUROPEAN 1979", "Europe", gelInt24, -86, -98, -119, 0, 0, 0, 0},  // 84: EPSG 15752
    {"EUROPEAN 1979", "Portugal", gelInt24, -86, -98, -119, 0, 0, 0, 0},  // 85: EPSG 15752
    {"ETRF89", "Europe", gelGRS80, 0, 0, 0, 0, 0, 0, 0},  // 86: EPSG 1149
    {"FAHUD", "Oman", gelClrk80, -346, -1, 224, 0, 0, 0, 0},  // 87: EPSG 1256
    {"OBSERVATORIO MET. 1939", "Flores", gelInt24, -425, -169, 81, 0, 0, 0, 0},  // 88: EPSG 1887
    {"FORT THOMAS 1955", "St Kitts-Nevis", gelClrk80, -7, 215, 225, 0, 0, 0, 0},  // 89: EPSG 15750
    {"GAN 1970", "Rep. of Maldives", gelInt24, -133, -321, 50, 0, 0, 0, 0},  // 90: EPSG 15713
    {"GEOCENTRIC DATUM AUSTRALIA", "Australia", gelGRS80, 0, 0, 0, 0, 0, 0, 0},  // 91: EPSG 1150
    {"GEODETIC DATUM 1949", "New Zealand", gelInt24, 84, -22, 209, 0, 0, 0, 0},  // 92: EPSG 1151
    {"DOS 1968", "Gizo Islands", gelInt24, 230, -199, -752, 0, 0, 0, 0},  // 93: EPSG 15805
    {"GRACIOSA BASE SW 1948", "Azores", gelInt24, -104, 167, -38, 0, 0, 0, 0},  // 94: EPSG 1886
    {"GGRS87", "Greece", gelGRS80, -199.87, 74.79, 246.62, 0, 0, 0, 0},  // 95: EPSG 1272
    {"GUNUNG SEGARA", "Indonesia", gelBess41, -403, 684, 41, 0, 0, 0, 0},  // 96: EPSG 1897
    {"GUAM 1963", "Guam", gelClrk66, -100, -248, 259, 0, 0, 0, 0},  // 97: EPSG 1070
    {"HARTEBEESTHOCK 1994", "South Africa", gelWGS84, 0, 0, 0, 0, 0, 0, 0},  // 98: EPSG 1505
    // 99: EPSG 10099, rotations negated
    {"HELSINKI, KALLIO CHURCH", "Finland", gelInt24, -96.062, -82.428, -121.753, 1.496, 4.801, 0.345, -1.376},
    {"HERAT NORTH", "Afghanistan", gelInt24, -333, -222, 114, 0, 0, 0, 0},  // 100: EPSG 1246
    // 101: EPSG 1618
    {"MGI DATUM/HERMANNSKOGEL", "Austria", gelBess41, 577.326, 90.129, 463.919, 2.4232, 5.137, 1.474, 5.297},
    {"HERMANNSKOGEL", "Former Yugoslavia", gelBess41, 682, -203, 480, 0, 0, 0, 0},  // 102: EPSG 3962
    {"HITO XVIII 1963", "Chile", gelInt24, 16, 196, 93, 0, 0, 0, 0},  // 103: EPSG 1892
    {"HJORSEY 1955", "Iceland", gelInt24, -73, 46, -86, 0, 0, 0, 0},  // 104: EPSG 1951
    {"HONG KONG 1963", "Hong Kong", gelInt24, -156, -271, -189, 0, 0, 0, 0},  // 105: EPSG 15842
    // 106: EPSG 1825, rotations negated
    {"HONG KONG 1980", "Hong Kong", gelInt24, -162.619, -276.959, -161.764, -1.094246, 0.067753, -2.243648, -1.158828},
    {"HU-TZU-SHAN", "Taiwan", gelInt24, -637, -549, -203, 0, 0, 0, 0},  // 107: EPSG 1152
    // 108: EPSG 1448, rotations negated
    {"HUNGARIAN DATUM 1972", "Hungary", gelGRS67, 52.684, -71.194, -13.975, 1.0191, -0.312, -0.1063, -0.3729},
    {"BELLEVUE (IGN),", "Efate Island", gelInt24, -127, -769, 472, 0, 0, 0, 0},  // 109: EPSG 15801
    {"INDONESIAN 1974", "Indonesia", gelIndo74, -24, -15, 5, 0, 0, 0, 0},  // 110: EPSG 1248
    {"IRAQ-KUWAIT BOUNDARY 1992", "Iraq/ Kuwait", gelWGS84, 0, 0, 0, 0, 0, 0, 0},  // 111: EPSG 1993
    {"INDIAN", "Bangladesh", gelEver30Ind, 282, 726, 254, 0, 0, 0, 0},  // 112: EPSG 1155
    {"INDIAN", "India & Nepal", gelEver56, 295, 736, 257, 0, 0, 0, 0},  // 113: EPSG 1156
    {"INDIAN", "Pakistan", gelEverPak, 283, 682, 231, 0, 0, 0, 0},  // 114: EPSG 1247
    {"INDIAN 1954", "Thailand", gelEver30Ind, 217, 823, 299, 0, 0, 0, 0},  // 115: EPSG 1153
    {"INDIAN 1960", "Con Son Island", gelEver30Ind, 182, 915, 344, 0, 0, 0, 0},  // 116: EPSG 1543
    {"INDIAN 1960", "Vietnam", gelEver30Ind, 198, 881, 317, 0, 0, 0, 0},  // 117: EPSG 1542
    {"1 INDIAN 1975", "Thailand", gelEver30Ind, 209, 818, 290, 0, 0, 0, 0},  // 118: EPSG 1154
    {"IRELAND 1965", "Ireland", gelModifAiry, 482.5, -130.6, 564.6, 8.15, -1.042, -0.214, -0.631},  // 119: EPSG 1641
    {"ISTS 061 ASTRO 1968", "South Georgia", gelInt24, -794, 119, -298, 0, 0, 0, 0},  // 120: EPSG 15813
    {"ISTS 073 ASTRO 1969", "Diego Garcia", gelInt24, 208, -435, -229, 0, 0, 0, 0},  // 121: EPSG 15808
    {"JOHNSTON ISLAND 1961", "Johnston Island", gelInt24, 189, -79, -202, 0, 0, 0, 0},  // 122: EPSG 15809
    {"KANDAWALA JACKSON?", "Sri Lanka", gelEver30Ind, -97, 787, 86, 0, 0, 0, 0},  // 123: EPSG 1157
    {"KERTAU 1948", "Malaysia W & Sing.", gelEver48, -11, 851, 5, 0, 0, 0, 0},  // 124: EPSG 1158
    {"KERGUELEN ISLAND 1949", "Kerguelen Island", gelInt24, 145, -187, 103, 0, 0, 0, 0},  // 125: EPSG 15850
    {"KOREAN GEODETIC SYSTEM 1995", "South Korea", gelWGS84, 0, 0, 0, 0, 0, 0, 0},  // 126: EPSG 1558
    {"KKJ", "Finland", gelInt24, -90.7, -106.1, -119.2, 1.37, 4.09, 0.218, -1.05},  // 127: EPSG 1639
    {"KUSAIE ASTRO 1951", "Caroline Island", gelInt24, 647, 1777, -1124, 0, 0, 0, 0},  // 128: EPSG 15810
    {"LC5 ASTRO 1961", "Cayman Brac", gelClrk66, 42, 124, 147, 0, 0, 0, 0},  // 129: EPSG 15814
    {"LEIGON", "Ghana", gelClrk80, -130, 29, 364, 0, 0, 0, 0},  // 130: EPSG 1159
    {"LIBERIA 1964", "Liberia", gelClrk80, -90, 40, 88, 0, 0, 0, 0},  // 131: EPSG 1160
    // 132: EPSG 1988, rotations negated
    {"LISBON (Castelo di Sao Jorge), D7", "Portugal", gelInt24,
     -288.885, -91.744, 126.244, -4.598, -1.691, 0.41, -0.211},
    {"LKS94", "Lithuania", gelGRS80, 0, 0, 0, 0, 0, 0, 0},  // 133: EPSG 1283
    // 134: EPSG 5486, rotations negated
    {"LUXEMBOURG NT", "Luxembourg", gelInt24, -189.6806, 18.3463, -42.7695, 0.4598, -0.33746, -3.09264, 2.53861},
    {"LUZON", "Philipines - Mindanao", gelClrk66, -133, -79, -72, 0, 0, 0, 0},  // 135: EPSG 1162
    {"LUZON", "Philipines", gelClrk66, -133, -77, -51, 0, 0, 0, 0},  // 136: EPSG 1161
    {"MASSAWA", "Eritrea", gelBess41, 639, 405, 60, 0, 0, 0, 0},  // 137: EPSG 1165
    {"MERCHICH", "Morroco", gelClrk80, 31, 146, 47, 0, 0, 0, 0},  // 138: EPSG 1166
    {"MIDWAY ASTRO 1961", "Midway Islands", gelInt24, 912, -58, 1227, 0, 0, 0, 0},  // 139: EPSG 15817
    {"MAHE 1971", "Seychelles - Mahe Is.", gelClrk80, 41, -220, -134, 0, 0, 0, 0},  // 140: EPSG 1164
    {"MINNA", "Cameroon", gelClrk80, -81, -84, 115, 0, 0, 0, 0},  // 141: EPSG 1167
    {"MINNA", "Nigeria", gelClrk80, -92, -93, 122, 0, 0, 0, 0},  // 142: EPSG 1168
    {"ROME 1940", "Italy mainland", gelInt24, -104.1, -49.1, -9.9, -11.68, 0.971, -2.917, 0.714},  // 143: EPSG 1660
    {"ROME 1940", "Italy - Sardinia", gelInt24, -225, -65, 9, 0, 0, 0, 0},  // 144: EPSG 1169
    {"ROME 1940", "Italy - Sicily", gelInt24, -50.2, -50.4, 84.8, -28.08, -0.69, -2.012, 0.459},  // 145: EPSG 1664
    {"M'PORALOKO", "Gabon", gelClrk80, -74, -130, 42, 0, 0, 0, 0},  // 146: EPSG 1163
    {"VITI LEVU 1916", "Fiji - Viti Levu", gelClrk80, 51, 391, -36, 0, 0, 0, 0},  // 147: EPSG 15897
    {"NAHRWAN", "Oman - Masirah Island", gelClrk80, -247, -148, 369, 0, 0, 0, 0},  // 148: EPSG 1189
    {"NAHRWAN", "Saudi Arabia", gelClrk80, -243, -192, 477, 0, 0, 0, 0},  // 149: EPSG 1190
    {"NAHRWAN", "United Arab Emirates", gelClrk80, -249, -156, 381, 0, 0, 0, 0},  // 150: EPSG 1191
    {"NAPARIMA", "Trinidad & Tobago", gelInt24, -10, 375, 165, 0, 0, 0, 0},  // 151: EPSG 1192
    {"NORTH AMERICAN 1983", "US - Alaska", gelGRS80, 0, 0, 0, 0, 0, 0, 0},  // 152: EPSG 1188
    {"NORTH AMERICAN 1983", "US - Aleutian", gelGRS80, -2, 0, 4, 0, 0, 0, 0},  // 153: EPSG 1251
    {"NORTH AMERICAN 1983", "Canada", gelGRS80, 0, 0, 0, 0, 0, 0, 0},  // 154: EPSG 1188
    {"NORTH AMERICAN 1983", "US - CONUS", gelGRS80, 0, 0, 0, 0, 0, 0, 0},  // 155: EPSG 1188
    {"NORTH AMERICAN 1983", "US - Hawaii", gelGRS80, 1, 1, -1, 0, 0, 0, 0},  // 156: EPSG 1252
    {"NORTH AMERICAN 1983", "Mexico", gelGRS80, 0, 0, 0, 0, 0, 0, 0},  // 157: DMA
    {"NORTH AMERICAN 1927", "US - Alaska", gelClrk66, -5, 135, 172, 0, 0, 0, 0},  // 158: EPSG 1176
    {"NORTH AMERICAN 1927", "Canada", gelClrk66, -10, 158, 187, 0, 0, 0, 0},  // 159: EPSG 1172
    {"NORTH AMERICAN 1927", "Canada-Alberta/British Columbia", gelClrk66, -7, 162, 188, 0, 0, 0, 0},  // 160: EPSG 1179
    {"NORTH AMERICAN 1927", "US - Aleutian East", gelClrk66, -2, 152, 149, 0, 0, 0, 0},  // 161: EPSG 1249
    {"NORTH AMERICAN 1927", "US - Aleutian West", gelClrk66, 2, 204, 105, 0, 0, 0, 0},  // 162: EPSG 1250
    {"NORTH AMERICAN 1927", "Bahamas", gelClrk66, -4, 154, 178, 0, 0, 0, 0},  // 163: EPSG 1177
    {"NORTH AMERICAN 1927", "Canal Zone", gelClrk66, 0, 125, 201, 0, 0, 0, 0},  // 164: EPSG 1184
    {"NORTH AMERICAN 1927", "Caribbean", gelClrk66, -3, 142, 183, 0, 0, 0, 0},  // 165: EPSG 1170
    {"NORTH AMERICAN 1927", "Central America", gelClrk66, 0, 125, 194, 0, 0, 0, 0},  // 166: EPSG 1171
    {"NORTH AMERICAN 1927", "US - CONUS", gelClrk66, -8, 160, 176, 0, 0, 0, 0},  // 167: EPSG 1173
    {"NORTH AMERICAN 1927", "Cuba", gelClrk66, -9, 152, 178, 0, 0, 0, 0},  // 168: EPSG 1185
    {"NORTH AMERICAN 1927", "CanadaEast", gelClrk66, -22, 160, 190, 0, 0, 0, 0},  // 169: EPSG 1181
    {"NORTH AMERICAN 1927", "US - Eastern", gelClrk66, -9, 161, 179, 0, 0, 0, 0},  // 170: EPSG 1174
    {"NORTH AMERICAN 1927", "Greenland", gelClrk66, 11, 114, 195, 0, 0, 0, 0},  // 171: EPSG 1186
    {"NORTH AMERICAN 1927", "Canada - Manitoba/Ontario", gelClrk66, -9, 157, 184, 0, 0, 0, 0},  // 172: EPSG 1180
    {"NORTH AMERICAN 1927", "Mexico", gelClrk66, -12, 130, 190, 0, 0, 0, 0},  // 173: EPSG 1187
    {"NORTH AMERICAN 1927", "Canada - NW Territory", gelClrk66, 4, 159, 188, 0, 0, 0, 0},  // 174: EPSG 1182
    {"NORTH AMERICAN 1927", "San Salvador", gelClrk66, 1, 140, 165, 0, 0, 0, 0},  // 175: EPSG 1178
    {"NORTH AMERICAN 1927", "US - Western", gelClrk66, -8, 159, 175, 0, 0, 0, 0},  // 176: EPSG 1175
    {"NORTH AMERICAN 1927", "Canada - Yukon", gelClrk66, -7, 139, 181, 0, 0, 0, 0},  // 177: EPSG 1183
    {"NTF", "France", gelClrk80IGN, -168, -60, 320, 0, 0, 0, 0},  // 178: EPSG 1193
    {"NGO 1948", "Norway", gelBesselMod, 278.3, 93, 474.5, 6.21, 7.889, 0.05, -6.61},  // 179: EPSG 1654
    {"NORTH SAHARA 1959", "Algeria", gelClrk80RGS, -186, -93, 310, 0, 0, 0, 0},  // 180: EPSG 1253
    // 181: EPSG 15929, rotations negated
    {"BELGIUM DATUM 1972", "Belgium", gelInt24, -106.8686, 52.2978, -103.7239, -1.2747, 0.3366, -0.457, 1.8422},
    {"OLD EGYPTIAN 1907", "Egypt", gelHelm06, -130, 110, -13, 0, 0, 0, 0},  // 182: EPSG 1148
    // 183: EPSG 1314
    {"ORDNANCE GB 1936", "GB - Great Britain", gelAiry30, 446.448, -125.157, 542.06, -20.49, 0.15, 0.247, 0.8421},
    {"OLD HAWAI'IAN", "US - Hawaii Mean", gelClrk66, 61, -285, -181, 0, 0, 0, 0},  // 184: EPSG 15824
    {"OLD HAWAI'IAN", "US - Hawaii", gelClrk66, 89, -279, -183, 0, 0, 0, 0},  // 185: EPSG 15825
    {"OLD HAWAI'IAN", "US - Kauai", gelClrk66, 45, -290, -172, 0, 0, 0, 0},  // 186: EPSG 15826
    {"OLD HAWAI'IAN", "US - Maui", gelClrk66, 65, -290, -190, 0, 0, 0, 0},  // 187: EPSG 15827
    {"OLD HAWAI'IAN", "US - Oahu", gelClrk66, 58, -283, -182, 0, 0, 0, 0},  // 188: EPSG 15828
    {"OLD HAWAI'IAN", "US - Hawaii", gelInt24, 201, -228, -346, 0, 0, 0, 0},  // 189: DMA mean
    {"OLD HAWAI'IAN", "US - Hawaii", gelInt24, 229, -222, -348, 0, 0, 0, 0},  // 190: DMA
    {"OLD HAWAI'IAN", "US - Kauai", gelInt24, 185, -233, -337, 0, 0, 0, 0},  // 191: DMA
    {"OLD HAWAI'IAN", "US - Maui", gelInt24, 205, -233, -355, 0, 0, 0, 0},  // 192: DMA
    {"OLD HAWAI'IAN", "US - Oahu", gelInt24, 198, -226, -347, 0, 0, 0, 0},  // 193: DMA
    // 194: EPSG 1074
    {"PALESTINE 1928", "Israel", gelClrk80Benoit, -275.7224, 94.7824, 340.8944, 1, -8.001, -4.42, -11.821},
    {"AYABELLA LIGHTHOUSE", "Djibouti", gelClrk80, -79, -129, 145, 0, 0, 0, 0},  // 195: EPSG 15800
    {"PITCAIRN ASTRO 1967", "Pitcairn Island", gelInt24, 185, 165, 42, 0, 0, 0, 0},  // 196: EPSG 15819
    {"PICO DE LAS NIEVES.", "Spain - Canary Islands", gelInt24, -307, -92, 127, 0, 0, 0, 0},  // 197: EPSG 15815
    {"PORTO SANTO 1936.", "Portugal - Maderia", gelInt24, -499, -249, 314, 0, 0, 0, 0},  // 198: EPSG 1888
    {"PROV. S AMERICAN 1956", "Bolivia", gelInt24, -270, 188, -388, 0, 0, 0, 0},  // 199: EPSG 1202
    {"PROV. S AMERICAN 1956", "Colombia", gelInt24, -282, 169, -371, 0, 0, 0, 0},  // 200: EPSG 1205
    {"PROV. S AMERICAN 1956", "Ecuador", gelInt24, -278, 171, -367, 0, 0, 0, 0},  // 201: EPSG 1206
    {"PROV. S AMERICAN 1956", "Guyana", gelInt24, -298, 159, -369, 0, 0, 0, 0},  // 202: EPSG 1207
    {"PROV. S AMERICAN 1956", "Chile North", gelInt24, -270, 183, -390, 0, 0, 0, 0},  // 203: EPSG 1203
    {"PROV. S AMERICAN 1956", "Peru", gelInt24, -279, 175, -379, 0, 0, 0, 0},  // 204: EPSG 1208
    {"PROV. S AMERICAN 1956", "South America", gelInt24, -288, 175, -376, 0, 0, 0, 0},  // 205: EPSG 1201
    {"PROV. S AMERICAN 1956", "Chile South", gelInt24, -305, 243, -442, 0, 0, 0, 0},  // 206: EPSG 1204
    {"PROV. S AMERICAN 1956", "Venezuela", gelInt24, -295, 173, -371, 0, 0, 0, 0},  // 207: EPSG 1209
    {"POINT 58", "Burkina Faso & Niger", gelClrk80, -106, -129, 165, 0, 0, 0, 0},  // 208: EPSG 1880
    {"POINT NOIRE 1948", "Congo", gelClrk80, -148, 51, -291, 0, 0, 0, 0},  // 209: EPSG 1200
    {"PULKOVO 1942", "Russia", gelKrass40, 28, -130, -95, 0, 0, 0, 0},  // 210: EPSG 1254
    // 211: EPSG 1675, rotations negated
    {"PULKOVO 1942", "Germany", gelKrass40, 24, -123, -94, 1.1, -0.02, 0.25, 0.13},
    // 212: EPSG 1334, rotations negated
    {"PULKOVO 1942", "Estonia", gelKrass40, 21.58719, -97.54127, -60.92546, -4.6121, 1.01378, 0.58117, 0.2348},
    // 213: EPSG 1893
    {"PUERTO RICO & Virgin Is.", "Puerto Rico & Virgin Islands", gelClrk66, 11, 72, -101, 0, 0, 0, 0},
    {"QATAR NATIONAL 1974", "Qatar", gelInt24, -128, -283, 22, 0, 0, 0, 0},  // 214: EPSG 1561
    // 215: EPSG 1840
    {"QATAR NATIONAL 1995", "Qatar", gelInt24,
     -119.4248, -303.65872, -11.00061, 3.657065, 1.164298, 0.174458, 1.096259},
    {"QORNOQ", "Greenland South", gelInt24, 164, 138, -189, 0, 0, 0, 0},  // 216: EPSG 1797
    // 217: EPSG 1673, rotations negated
    {"DHDN (RAUENBERG),", "Germany", gelBess41, 582, 105, 414, 8.3, 1.04, 0.35, -3.08},
    {"REUNION", "Mascarene Is", gelInt24, 94, -948, -1262, 0, 0, 0, 0},  // 218: EPSG 15751
    // 219: EPSG 1680, rotations negated
    {"RT90", "Sweden", gelBess41, 419.3836, 99.3335, 591.3451, -0.99496, 0.850389, 1.817277, -7.862238},
    {"SANTO(DOS), 1965", "Vanuatu - Espirito Santo", gelInt24, 170, 42, 84, 0, 0, 0, 0},  // 220: EPSG 15820
    {"SOUTH AMERICAN 1969", "Argentina", gelSAm69, -62, -1, -37, 0, 0, 0, 0},  // 221: EPSG 1865
    {"SOUTH AMERICAN 1969", "Galapagos", gelSAm69, -47, 26, -42, 0, 0, 0, 0},  // 222: EPSG 1871
    {"SOUTH AMERICAN 1969", "Bolivia", gelSAm69, -61, 2, -48, 0, 0, 0, 0},  // 223: EPSG 1866
    {"SOUTH AMERICAN 1969", "Brazil", gelSAm69, -60, -2, -41, 0, 0, 0, 0},  // 224: EPSG 1867
    {"SOUTH AMERICAN 1969", "Chile", gelSAm69, -75, -1, -44, 0, 0, 0, 0},  // 225: EPSG 1868
    {"SOUTH AMERICAN 1969", "Colombia", gelSAm69, -44, 6, -36, 0, 0, 0, 0},  // 226: EPSG 1869
    {"SOUTH AMERICAN 1969", "Ecuador", gelSAm69, -48, 3, -44, 0, 0, 0, 0},  // 227: EPSG 1870
    {"SOUTH AMERICAN 1969", "Guyana", gelSAm69, -53, 3, -47, 0, 0, 0, 0},  // 228: EPSG 1872
    {"SOUTH AMERICAN 1969", "Paraguay", gelSAm69, -61, 2, -33, 0, 0, 0, 0},  // 229: EPSG 1873
    {"SOUTH AMERICAN 1969", "Peru", gelSAm69, -58, 0, -44, 0, 0, 0, 0},  // 230: EPSG 1874
    {"SOUTH AMERICAN 1969", "South America", gelSAm69, -57, 1, -41, 0, 0, 0, 0},  // 231: EPSG 1864
    {"SOUTH AMERICAN 1969", "Trinidad", gelSAm69, -45, 12, -33, 0, 0, 0, 0},  // 232: EPSG 1875
    {"SOUTH AMERICAN 1969", "Venezuela", gelSAm69, -45, 8, -33, 0, 0, 0, 0},  // 233: EPSG 1876
    {"SAO BRAZ", "Santa Maria Islands", gelInt24, -203, 141, 53, 0, 0, 0, 0},  // 234: EPSG 1885
    {"SAPPER HILL 1943 (2000 adj),", "Falkland Islands", gelInt24, -355, 21, 72, 0, 0, 0, 0},  // 235: EPSG 1225
    {"SCHWARZECK", "Namibia", gelBess41Nam, 616, 97, -251, 0, 0, 0, 0},  // 236: EPSG 1226
    {"SOUTH EAST ISLAND", "Seychelles", gelClrk80RGS, -43.685, -179.785, -267.721, 0, 0, 0, 0},  // 237: EPSG 6914
    {"SOVIET GEODETIC SYSTEM 85", "Russia", gelSGS85, 3, 9, -9, 0, 0, 0, 0},  // 238: NGA
    {"PZ90 (GLONASS),", "Russia", gelPZ90, -1.08, -0.27, -0.9, -0.12, 0, 0, 0.16},  // 239: EPSG 1244, rotations negated
    {"SELVAGEM GRANDE 1938", "Salvage Island", gelInt24, -289, -124, 60, 0, 0, 0, 0},  // 240: EPSG 1965
    {"DOS 71/4", "St Helena", gelInt24, -320, 550, -494, 0, 0, 0, 0},  // 241: EPSG 15798
    {"SIERRA LEONE DATUM 1960", "Sierra Leone", gelClrk80, -88, 4, 101, 0, 0, 0, 0},  // 242: DMA
    {"SIRGAS", "South America", gelGRS80, 0, 0, 0, 0, 0, 0, 0},  // 243: EPSG 1581
    {"SOUTH ASIA", "Singapore", gelModifFish60, 7, -10, -26, 0, 0, 0, 0},  // 244: DMA
    {"S-42 (PULKOVO 1942),", "Albania", gelKrass40, 24, -130, -92, 0, 0, 0, 0},  // 245: EPSG 15999
    {"S-42 (PK42),", "Czechoslavakia", gelKrass40, 26, -121, -78, 0, 0, 0, 0},  // 246: EPSG 15998
    {"S-42 (PULKOVO 1942),", "Hungary", gelKrass40, 28, -121, -77, 0, 0, 0, 0},  // 247: EPSG 15996
    {"S-42 (PULKOVO 1942),", "Latvia", gelKrass40, 24, -124, -82, 0, 0, 0, 0},  // 248: EPSG 1290
    {"S-42 (PK 1942),", "Kazakhstan", gelKrass40, 15, -130, -84, 0, 0, 0, 0},  // 249: EPSG 1291
    // 250: EPSG 1645
    {"SYSTEM 1942/58 (PULKOVO 1942),", "Poland", gelKrass40, 33.4, -146.6, -76.3, -0.84, -0.359, -0.053, 0.844},
    {"S-42 (PULKOVO 1942),", "Poland", gelKrass40, 23, -124, -82, 0, 0, 0, 0},  // 251: EPSG 15997
    {"S-42 (PULKOVO 1942),", "Romania", gelKrass40, 28, -121, -77, 0, 0, 0, 0},  // 252: EPSG 15497
    // 253: EPSG 15995, rotations negated
    {"S-42 (PULKOVO 1942),", "Romania", gelKrass40, 2.329, -147.042, -92.08, 5.69, -0.309, 0.325, 0.497},
    {"S-42 (PULKOVO 1942),", "Afghanistan", gelKrass40, 28, -130, -95, 0, 0, 0, 0},  // 254: EPSG 1254
    {"TANANARIVE OBSERVATORY", "Madagascar", gelInt24, -189, -242, -91, 0, 0, 0, 0},  // 255: EPSG 1227
    {"TRISTAN ASTRO 1968", "Tristan da Cunha", gelInt24, -632, 438, -609, 0, 0, 0, 0},  // 256: EPSG 15816
    {"TETE", "Mozambique", gelClrk66, -80, -100, -228, 0, 0, 0, 0},  // 257: EPSG 6901
    {"TIMBALAI 1948 (Everest),", "Malaysia E & Brunei", gelEverest, -679, 669, -48, 0, 0, 0, 0},  // 258: EPSG 1228
    {"TIMBALAI 1968,Adj of 1948", "Malaysia E & Brunei", gelEverest, -678, 670, -48, 0, 0, 0, 0},  // 259: EPSG 1592
    // 260: EPSG 5249, rotations negated
    {"TIMBALAI 1968, Adj of 1948", "Malaysia E & Brunei", gelEverest,
     -689.5937, 623.84046, -65.93566, 5.88536, -0.02331, 1.17094, -0.80054},
    // 261: derived, see above
    {"TIMBALAI 1948 (Bessel),", "Malaysia E & Brunei", gelBess41, -637, 579, -37, 0, 0, 0, 0},
    {"TOKYO", "Japan", gelBess41, -148, 507, 685, 0, 0, 0, 0},  // 262: EPSG 1231
    {"TOKYO", "South Korea", gelBess41, -146, 507, 687, 0, 0, 0, 0},  // 263: EPSG 1232
    {"TOKYO", "Japan - Okinawa", gelBess41, -158, 507, 676, 0, 0, 0, 0},  // 264: EPSG 1233
    {"TERN ISLAND (FRIG), 1961", "Antarctica", gelInt24, 114, -116, -333, 0, 0, 0, 0},  // 265: EPSG 15795
    {"VOIROL 1875", "Algeria", gelClrk80IGN, -73, -247, 227, 0, 0, 0, 0},  // 266: EPSG 1294
    {"WAKE ISLAND ASTRO 1952", "Wake Island", gelInt24, 276, -57, 149, 0, 0, 0, 0},  // 267: EPSG 15823
    {"WORLD GEODETIC SYSTEM 1972", "World", gelWGS72, 0, 0, 4.5, 0.219, 0, 0, 0.554},  // 268: EPSG 1238
    {"WORLD GEODETIC SYSTEM 1984", "World", gelWGS84, 0, 0, 0, 0, 0, 0, 0},  // 269: common frame
    {"YACARE", "Uruguay", gelInt24, -155, 171, 37, 0, 0, 0, 0},  // 270: EPSG 1234
    {"ZANDERIJ", "Suriname", gelInt24, -265, 120, -358, 0, 0, 0, 0},  // 271: EPSG 1235
};

}  // namespace orq
