// ApplySymbolPalette: landmark tags as indexes into a symbol repository.
#include "orqcarta/Orq_GeoMap.h"

namespace orq {

int ApplySymbolPalette(TGeoMap& Map, const TSymbolRepository& Symbols) {
  const bool suppressed = Map.SuppressPaint();
  Map.SetSuppressPaint(true);  // one repaint at the end, not one per landmark
  int applied = 0;
  for (int i = 1; i <= Map.NumLandMarks(); ++i) {
    TLandMark lm = Map.GetLandMarkData(i);
    if (lm.Tag < 1 || lm.Tag > Symbols.NumEntries()) continue;
    lm.SymbolProps = Symbols.GetValues(lm.Tag).Properties;
    Map.SetLandMarkData(i, lm);
    ++applied;
  }
  Map.SetSuppressPaint(suppressed);
  return applied;
}

}  // namespace orq
