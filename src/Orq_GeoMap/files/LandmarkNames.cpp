// Names and flag texts of landmark symbols, shared by the landmark and
// symbol files.
#include "orqcarta/geomap/LandmarkNames.h"

#include "XmlText.h"

namespace orq {

std::string LMTypeName(TLandMarkElement Kind) {
  const int ix = static_cast<int>(Kind);
  return LMTypeNames[ix >= lmPlus && ix <= lmUserDef ? ix : lmCross];
}

TLandMarkElement LMElementFromText(const std::string& Text) {
  // Only the shapes drawn by name are read back; plus and user-defined
  // symbols have no entry, so they come back as crosses.
  static const struct {
    const char* Name;
    TLandMarkElement Kind;
  } known[] = {{"square", lmSquare},       {"triangle", lmTriangle}, {"circle", lmCircle}, {"arrowfrom", lmArrowFrom},
               {"arrowto", lmArrowTo},     {"crossbox", lmCrossBox}, {"spade", lmSpade}};
  const std::string lower = XmlLowerCase(Text);
  for (const auto& k : known)
    if (lower == k.Name) return k.Kind;
  return lmCross;
}

bool XmlTextIsTrue(const std::string& Text) { return XmlLowerCase(Text).find("true") != std::string::npos; }

std::string FontStylesToFlags(TFontStyles Styles) {
  std::string flags;
  for (TFontStyle s : {fsBold, fsItalic, fsUnderline, fsStrikeOut}) flags += Styles.contains(s) ? '1' : '0';
  return flags;
}

TFontStyles FontStylesFromFlags(const std::string& Flags) {
  TFontStyles styles;
  const TFontStyle order[] = {fsBold, fsItalic, fsUnderline, fsStrikeOut};
  for (std::size_t i = 0; i < 4 && i < Flags.size(); ++i)
    if (Flags[i] == '1') styles.insert(order[i]);
  return styles;
}

}  // namespace orq
