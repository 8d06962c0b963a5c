// TSymbolRepository: the symbol palette, its backup and its XML file.
#include "orqcarta/geomap/SymbolRepository.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "CalibXmlElements.h"
#include "orqcarta/Orq_GeoMap.h"
#include "orqcarta/geomap/LandmarkNames.h"
#include "XmlText.h"
#include "orqmath/TextScan.h"
#include "orqplatform/FormatSettings.h"
#include "orqplatform/TextFile.h"

namespace orq {

TSymbol DefaultSymbolRecord() {
  TSymbol s;
  s.Properties.Kind = lmCross;
  s.Properties.Size = 8;
  s.Properties.FGColor = 0x000000;
  s.Properties.BGColor = 0x0000FF;
  s.Properties.Transparent = false;
  s.Properties.Direction = 90;
  s.Properties.Length = 40;
  return s;
}

TSymbolRepository::TSymbolRepository(TComponent* AOwner)
    : TComponent(AOwner),
      FSymbols(std::make_shared<TTable>(InitialCapacity)),
      FSymbolsBak(std::make_shared<TTable>()) {}

TSymbolRepository::~TSymbolRepository() = default;

void TSymbolRepository::ResizeTable(std::shared_ptr<TTable>& Table, int Count) {
  try {
    if (Table.use_count() > 1) {
      // Shared with another repository: that one keeps the old table.
      auto own = std::make_shared<TTable>(static_cast<std::size_t>(Count));
      std::copy_n(Table->begin(), std::min<std::size_t>(Table->size(), own->size()), own->begin());
      Table = std::move(own);
    } else {
      Table->resize(static_cast<std::size_t>(Count));
    }
  } catch (const std::bad_alloc&) {
    throw EOrqGeoMapError("Component \"" + Name() + "\": insufficient memory");
  } catch (const std::length_error&) {
    throw EOrqGeoMapError("Component \"" + Name() + "\": insufficient memory");
  }
}

void TSymbolRepository::SetNEntries(int value) {
  if (value < 0) return;
  ResizeTable(FSymbols, value);
  // Slots that come back after shrinking start from zero again.
  for (int i = std::min(FNEntries, value); i < value; ++i) (*FSymbols)[i] = TSymbol{};
  FNEntries = value;
}

TSymbol TSymbolRepository::GetValues(int ix) const {
  if (ix < 1 || ix > FNEntries) return DefaultSymbolRecord();
  return (*FSymbols)[ix - 1];
}

void TSymbolRepository::SetValues(int ix, const TSymbol& value) {
  if (ix < 1 || ix > FNEntries) return;
  (*FSymbols)[ix - 1] = value;
}

void TSymbolRepository::Backup() {
  ResizeTable(FSymbolsBak, FNEntries);
  std::copy_n(FSymbols->begin(), FNEntries, FSymbolsBak->begin());
  FNEntriesBak = FNEntries;
}

void TSymbolRepository::Restore() {
  ResizeTable(FSymbols, FNEntriesBak);
  std::copy_n(FSymbolsBak->begin(), FNEntriesBak, FSymbols->begin());
  FNEntries = FNEntriesBak;
}

void TSymbolRepository::Clear() {
  std::fill_n(FSymbols->begin(), FNEntries, DefaultSymbolRecord());
}

void TSymbolRepository::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TSymbolRepository*>(Source)) {
    if (other == this) return;
    FNEntries = other->FNEntries;
    FNEntriesBak = other->FNEntriesBak;
    FSymbols = other->FSymbols;
    FSymbolsBak = other->FSymbolsBak;
    return;
  }
  TComponent::Assign(Source);
}

void TSymbolRepository::AssignTo(TPersistent* Dest) {
  if (auto* other = dynamic_cast<TSymbolRepository*>(Dest)) {
    other->Assign(this);
    return;
  }
  TComponent::AssignTo(Dest);
}

void TSymbolRepository::StoreOnFile(const std::string& FName, const std::string& DataID) {
  TTextFile f;
  f.AssignFile(FName);
  f.Rewrite();
  f.WriteLn("<?xml version=\"1.0\"?>");
  f.WriteLn("");
  f.WriteLn("<!-- TGeoMap Landmark Repository / Orq Component Suite -->");
  f.WriteLn("<lmsymbols sig=\"OrqCSuite\" vers=\"1.0\" id=\"" + DataID + "\">");
  for (int i = 0; i < FNEntries; ++i) {
    const TSymbol& s = (*FSymbols)[i];
    const TSymbolProperties& p = s.Properties;
    f.WriteLn("<symbol element=\"" + LMTypeName(p.Kind) + "\" name=\"" + s.Name.str() + "\" category=\"" +
              IntToStr(s.Category) + "\" colorfg=\"" + Hex(p.FGColor, 8) + "\" colorbg=\"" + Hex(p.BGColor, 8) +
              "\" size=\"" + IntToStr(p.Size) + "\" transp=\"" + BoolToXmlText(p.Transparent) + "\" dir=\"" +
              IntToStr(p.Direction) + "\" leng=\"" + IntToStr(p.Length) + "\" />");
  }
  f.WriteLn("</lmsymbols>");
  f.Close();
}

namespace {

TSymbol SymbolFromXmlAttributes(const std::string& A) {
  auto integer = [&A](const char* Name) {
    int pos = 1;
    return ScanXmlInteger(GetXmlAttribute(A, Name), pos);
  };
  auto hex = [&A](const char* Name) {
    int pos = 1;
    return ScanHex(GetXmlAttribute(A, Name), pos);
  };
  TSymbol s;
  s.Category = integer("category");
  s.Name = GetXmlAttribute(A, "name");
  s.Properties.FGColor = hex("colorfg");
  s.Properties.BGColor = hex("colorbg");
  s.Properties.Size = integer("size");
  s.Properties.Transparent = XmlTextIsTrue(GetXmlAttribute(A, "transp"));
  s.Properties.Direction = integer("dir");
  s.Properties.Length = integer("leng");
  s.Properties.Kind = LMElementFromText(GetXmlAttribute(A, "element"));
  return s;
}

}  // namespace

bool TSymbolRepository::ReadFromOpenXMLFile(TTextFile& InFile, const std::string& DataID) {
  if (!FindSignatureLine(TextFileLines(InFile), GeoMapXmlTags[xtSymbols], DataID)) return false;
  ResizeTable(FSymbols, InitialCapacity);
  FNEntries = 0;
  const TXmlTagSource nextTag = TextFileTags(InFile);
  std::string attributes, content;
  for (;;) {
    const int tag = nextTag(attributes, content);
    if (tag == xtGeoMapEnd || tag >= xtInvalidTag || tag < 0) break;
    if (tag != xtSymbol) continue;
    const TSymbol symbol = SymbolFromXmlAttributes(attributes);
    const int n = FNEntries + 1;
    if ((n > InitialCapacity && n % InitialCapacity == 1) || n > static_cast<int>(FSymbols->size()))
      ResizeTable(FSymbols, n + InitialCapacity);
    (*FSymbols)[n - 1] = symbol;
    FNEntries = n;
  }
  return true;
}

bool TSymbolRepository::LoadFromFile(const std::string& FName, const std::string& DataID) {
  TTextFile f(FName);
  f.SetIOChecks(false);
  f.Reset();
  if (f.IOResult() != 0) return false;
  f.SetIOChecks(true);
  const bool found = ReadFromOpenXMLFile(f, DataID);
  f.Close();
  return found;
}

}  // namespace orq
