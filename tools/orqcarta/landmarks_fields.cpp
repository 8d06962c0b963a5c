#include "landmarks_fields.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "ErrorReport.h"
#include "OutputFormat.h"
#include "orqplatform/DateTime.h"

namespace orq::cli {

namespace {

using TGetter = std::string (*)(const TLandMark&);
using TSetter = void (*)(TLandMark&, std::string_view);

struct TFieldDef {
  const char* Name;
  TLandmarkFieldKind Kind;
  TGetter Get;
  TSetter Set;
};

std::string Lower(std::string_view Text) {
  std::string s(Text);
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

[[noreturn]] void Invalid(const char* What, std::string_view Text) {
  throw EInputError(std::string("invalid ") + What + " \"" + Printable(Text) + "\"");
}

double ParseDouble(std::string_view Text, const char* What, double Low, double High) {
  double value = 0;
  const char* first = Text.data();
  const char* last = first + Text.size();
  if (first != last && *first == '+') ++first;
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last || !std::isfinite(value) || value < Low || value > High) Invalid(What, Text);
  return value;
}

long long ParseInteger(std::string_view Text, const char* What, long long Low, long long High) {
  long long value = 0;
  const char* first = Text.data();
  const char* last = first + Text.size();
  if (first != last && *first == '+') ++first;
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last || value < Low || value > High) Invalid(What, Text);
  return value;
}

int ParseInt(std::string_view Text, const char* What) {
  return static_cast<int>(
      ParseInteger(Text, What, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool ParseBool(std::string_view Text, const char* What) {
  const std::string s = Lower(Text);
  if (s == "true" || s == "1" || s == "yes") return true;
  if (s == "false" || s == "0" || s == "no") return false;
  Invalid(What, Text);
}

std::string ColorText(TColor Color) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%08X", static_cast<unsigned>(Color));
  return buffer;
}

// 1 to 8 hexadecimal digits, optionally after "0x" or "$".
TColor ParseColor(std::string_view Text, const char* What) {
  std::string_view digits = Text;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) digits.remove_prefix(2);
  else if (!digits.empty() && digits[0] == '$') digits.remove_prefix(1);
  unsigned value = 0;
  if (digits.empty() || digits.size() > 8) Invalid(What, Text);
  const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (ec != std::errc() || ptr != digits.data() + digits.size()) Invalid(What, Text);
  return value;
}

std::string SymbolText(TLandMarkElement Kind) { return LMTypeName(Kind); }

TLandMarkElement ParseSymbol(std::string_view Text) {
  const std::string s = Lower(Text);
  for (std::size_t k = 0; k < LMTypeNames.size(); ++k)
    if (Lower(LMTypeNames[k]) == s) return static_cast<TLandMarkElement>(k);
  Invalid("symbol (one of Plus, Square, Triangle, Circle, ArrowFrom, ArrowTo, CrossBox, Spade, Cross, User-Defined)",
          Text);
}

// The XML files keep times to the second; so does this form.
std::string TimeText(double Time) {
  if (Time == 0) return "";
  if (!std::isfinite(Time) || Time < -693593 || Time > 2958465) return "";  // outside years 1..9999
  int y, mo, d, h, mi, s, ms;
  DecodeDateTime(Time, y, mo, d, h, mi, s, ms);
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", y, mo, d, h, mi, s);
  return buffer;
}

// "YYYY-MM-DD", "YYYY-MM-DDTHH:MM" or "YYYY-MM-DDTHH:MM:SS" (a blank may
// stand for the "T").
double ParseTime(std::string_view Text) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  auto number = [&](std::size_t pos, std::size_t len) {
    if (pos + len > Text.size()) Invalid("time", Text);
    int v = 0;
    for (std::size_t i = pos; i < pos + len; ++i) {
      if (Text[i] < '0' || Text[i] > '9') Invalid("time", Text);
      v = v * 10 + (Text[i] - '0');
    }
    return v;
  };
  auto expect = [&](std::size_t pos, char a, char b) {
    if (pos >= Text.size() || (Text[pos] != a && Text[pos] != b)) Invalid("time", Text);
  };
  if (Text.size() != 10 && Text.size() != 16 && Text.size() != 19) Invalid("time", Text);
  y = number(0, 4);
  expect(4, '-', '-');
  mo = number(5, 2);
  expect(7, '-', '-');
  d = number(8, 2);
  if (Text.size() >= 16) {
    expect(10, 'T', ' ');
    h = number(11, 2);
    expect(13, ':', ':');
    mi = number(14, 2);
  }
  if (Text.size() == 19) {
    expect(16, ':', ':');
    s = number(17, 2);
  }
  TDateTime value = 0;
  if (!TryEncodeDateTime(y, mo, d, h, mi, s, 0, value)) Invalid("time", Text);
  return value;
}

constexpr std::array<const char*, 3> HAlignNames = {"left", "right", "center"};
constexpr std::array<const char*, 3> VAlignNames = {"top", "center", "bottom"};

template <std::size_t N>
int ParseName(const std::array<const char*, N>& Names, std::string_view Text, const char* What) {
  const std::string s = Lower(Text);
  for (std::size_t k = 0; k < N; ++k)
    if (s == Names[k]) return static_cast<int>(k);
  Invalid(What, Text);
}

template <std::size_t N>
std::string NameOf(const std::array<const char*, N>& Names, int Ordinal) {
  return Ordinal >= 0 && static_cast<std::size_t>(Ordinal) < N ? Names[Ordinal] : std::to_string(Ordinal);
}

constexpr std::array<const char*, 4> StyleNames = {"bold", "italic", "underline", "strikeout"};

std::string StylesText(TFontStyles Styles) {
  std::string text;
  for (std::size_t k = 0; k < StyleNames.size(); ++k)
    if (Styles.contains(static_cast<TFontStyle>(k))) text += (text.empty() ? "" : "+") + std::string(StyleNames[k]);
  return text;
}

// Words joined by "+", "," or blanks; "none" for no style.
TFontStyles ParseStyles(std::string_view Text) {
  TFontStyles styles;
  std::string word;
  auto flush = [&] {
    if (word.empty() || word == "none") {
      word.clear();
      return;
    }
    styles.insert(static_cast<TFontStyle>(ParseName(StyleNames, word, "font style")));
    word.clear();
  };
  for (char c : Lower(Text)) {
    if (c == '+' || c == ',' || c == ' ' || c == '|') flush();
    else word += c;
  }
  flush();
  return styles;
}

// clang-format off
const std::array<TFieldDef, 26> Fields = {{
  {"lat", lfkNumber,
   [](const TLandMark& l) { return FormatShortest(l.Latitude); },
   [](TLandMark& l, std::string_view t) { l.Latitude = ParseDouble(t, "latitude", -90, 90); }},
  {"long", lfkNumber,
   [](const TLandMark& l) { return FormatShortest(l.Longitude); },
   [](TLandMark& l, std::string_view t) { l.Longitude = ParseDouble(t, "longitude", -360, 360); }},
  {"alt", lfkNumber,
   [](const TLandMark& l) { return FormatShortest(l.Altitude); },
   [](TLandMark& l, std::string_view t) { l.Altitude = ParseDouble(t, "altitude", -1e9, 1e9); }},
  {"class", lfkNumber,
   [](const TLandMark& l) { return std::to_string(l.ClassFlag); },
   [](TLandMark& l, std::string_view t) { l.ClassFlag = static_cast<uint8_t>(ParseInteger(t, "class (0..255)", 0, 255)); }},
  {"tag", lfkNumber,
   [](const TLandMark& l) { return std::to_string(l.Tag); },
   [](TLandMark& l, std::string_view t) { l.Tag = ParseInt(t, "tag"); }},
  {"symbol", lfkText,
   [](const TLandMark& l) { return SymbolText(l.SymbolProps.Kind); },
   [](TLandMark& l, std::string_view t) { l.SymbolProps.Kind = ParseSymbol(t); }},
  {"size", lfkNumber,
   [](const TLandMark& l) { return std::to_string(l.SymbolProps.Size); },
   [](TLandMark& l, std::string_view t) { l.SymbolProps.Size = ParseInt(t, "symbol size"); }},
  {"colorfg", lfkText,
   [](const TLandMark& l) { return ColorText(l.SymbolProps.FGColor); },
   [](TLandMark& l, std::string_view t) { l.SymbolProps.FGColor = ParseColor(t, "colorfg"); }},
  {"colorbg", lfkText,
   [](const TLandMark& l) { return ColorText(l.SymbolProps.BGColor); },
   [](TLandMark& l, std::string_view t) { l.SymbolProps.BGColor = ParseColor(t, "colorbg"); }},
  {"transparent", lfkBoolean,
   [](const TLandMark& l) { return std::string(l.SymbolProps.Transparent ? "true" : "false"); },
   [](TLandMark& l, std::string_view t) { l.SymbolProps.Transparent = ParseBool(t, "transparent"); }},
  {"direction", lfkNumber,
   [](const TLandMark& l) { return std::to_string(l.SymbolProps.Direction); },
   [](TLandMark& l, std::string_view t) { l.SymbolProps.Direction = ParseInt(t, "direction"); }},
  {"length", lfkNumber,
   [](const TLandMark& l) { return std::to_string(l.SymbolProps.Length); },
   [](TLandMark& l, std::string_view t) { l.SymbolProps.Length = ParseInt(t, "length"); }},
  {"identifier", lfkText,
   [](const TLandMark& l) { return l.Identifier.str(); },
   [](TLandMark& l, std::string_view t) { l.Identifier = std::string(t); }},
  {"time", lfkText,
   [](const TLandMark& l) { return TimeText(l.Time); },
   [](TLandMark& l, std::string_view t) { l.Time = ParseTime(t); }},
  {"caption", lfkText,
   [](const TLandMark& l) { return l.Caption.Text.str(); },
   [](TLandMark& l, std::string_view t) { l.Caption.Text = std::string(t); }},
  {"capsize", lfkNumber,
   [](const TLandMark& l) { return std::to_string(l.Caption.Size); },
   [](TLandMark& l, std::string_view t) { l.Caption.Size = ParseInt(t, "capsize"); }},
  {"capfont", lfkText,
   [](const TLandMark& l) { return l.Caption.FontName; },
   [](TLandMark& l, std::string_view t) { l.Caption.FontName = std::string(t); }},
  {"capcolorfg", lfkText,
   [](const TLandMark& l) { return ColorText(l.Caption.FGColor); },
   [](TLandMark& l, std::string_view t) { l.Caption.FGColor = ParseColor(t, "capcolorfg"); }},
  {"capcolorbg", lfkText,
   [](const TLandMark& l) { return ColorText(l.Caption.BGColor); },
   [](TLandMark& l, std::string_view t) { l.Caption.BGColor = ParseColor(t, "capcolorbg"); }},
  {"captransparent", lfkBoolean,
   [](const TLandMark& l) { return std::string(l.Caption.Transparent ? "true" : "false"); },
   [](TLandMark& l, std::string_view t) { l.Caption.Transparent = ParseBool(t, "captransparent"); }},
  {"capdirection", lfkNumber,
   [](const TLandMark& l) { return std::to_string(l.Caption.Direction); },
   [](TLandMark& l, std::string_view t) { l.Caption.Direction = ParseInt(t, "capdirection"); }},
  {"capdx", lfkNumber,
   [](const TLandMark& l) { return std::to_string(l.Caption.dx); },
   [](TLandMark& l, std::string_view t) { l.Caption.dx = ParseInt(t, "capdx"); }},
  {"capdy", lfkNumber,
   [](const TLandMark& l) { return std::to_string(l.Caption.dy); },
   [](TLandMark& l, std::string_view t) { l.Caption.dy = ParseInt(t, "capdy"); }},
  {"caphalign", lfkText,
   [](const TLandMark& l) { return NameOf(HAlignNames, l.Caption.HAlignment); },
   [](TLandMark& l, std::string_view t) {
     l.Caption.HAlignment = static_cast<TAlignment>(ParseName(HAlignNames, t, "caphalign (left, right, center)")); }},
  {"capvalign", lfkText,
   [](const TLandMark& l) { return NameOf(VAlignNames, l.Caption.VAlignment); },
   [](TLandMark& l, std::string_view t) {
     l.Caption.VAlignment = static_cast<TVerticalAlignment>(ParseName(VAlignNames, t, "capvalign (top, center, bottom)")); }},
  {"capstyles", lfkText,
   [](const TLandMark& l) { return StylesText(l.Caption.FontStyles); },
   [](TLandMark& l, std::string_view t) { l.Caption.FontStyles = ParseStyles(t); }},
}};
// clang-format on

}  // namespace

const std::vector<std::string>& LandmarkFieldNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> v;
    for (const TFieldDef& f : Fields) v.emplace_back(f.Name);
    return v;
  }();
  return names;
}

TLandmarkFieldKind LandmarkFieldKind(std::size_t Field) { return Fields.at(Field).Kind; }

int FindLandmarkField(std::string_view Name) {
  std::string s = Lower(Name);
  while (!s.empty() && s.back() == ' ') s.pop_back();
  while (!s.empty() && s.front() == ' ') s.erase(0, 1);
  if (s == "latitude") return LandmarkLatField;
  if (s == "lon" || s == "lng" || s == "longitude") return LandmarkLongField;
  if (s == "altitude" || s == "alti" || s == "ele" || s == "elevation") return LandmarkAltField;
  if (s == "name") s = "caption";
  if (s == "id") s = "identifier";
  for (std::size_t k = 0; k < Fields.size(); ++k)
    if (s == Fields[k].Name) return static_cast<int>(k);
  return -1;
}

std::string LandmarkFieldText(const TLandMark& LandMark, std::size_t Field) { return Fields.at(Field).Get(LandMark); }

void SetLandmarkField(TLandMark& LandMark, std::size_t Field, std::string_view Text) {
  const TFieldDef& def = Fields.at(Field);
  if (Text.empty()) {
    // An empty text is a value of its own for the texts, the time (none)
    // and the font styles (none); for the other fields it means "not given".
    const std::string name = def.Name;
    if (name == "identifier" || name == "caption" || name == "capfont") def.Set(LandMark, Text);
    else if (name == "time") LandMark.Time = 0;
    else if (name == "capstyles") LandMark.Caption.FontStyles = TFontStyles();
    return;
  }
  def.Set(LandMark, Text);
}

TLandMark NewLandmarkTemplate() {
  TGeoMap map;
  map.SetSuppressPaint(true);
  return map.LandMarkDefault();
}

}  // namespace orq::cli
