#include "orqplatform/Clipboard.h"

#include "orqplatform/Exceptions.h"

namespace orq {

void TClipboard::Assign(TPersistent* Source) {
  if (auto* graphic = dynamic_cast<TGraphic*>(Source)) {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(graphic);
    FBitmap = std::move(copy);
    FText.clear();
    FHasText = false;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void TClipboard::AssignTo(TPersistent* Dest) {
  if (auto* bmp = dynamic_cast<TBitmap*>(Dest)) {
    if (!FBitmap) throw EConvertError("Clipboard does not hold a bitmap");
    bmp->Assign(FBitmap.get());
    return;
  }
  TPersistent::AssignTo(Dest);
}

bool TClipboard::HasFormat(int Format) const {
  if (Format == CF_BITMAP) return FBitmap != nullptr;
  if (Format == CF_TEXT) return FHasText;
  return false;
}

void TClipboard::Clear() {
  FBitmap.reset();
  FText.clear();
  FHasText = false;
  Changed();
}

void TClipboard::SetAsText(const std::string& Value) {
  FBitmap.reset();
  FText = Value;
  FHasText = true;
  Changed();
}

void TClipboard::Changed() {
  if (FOnChange) FOnChange(this);
}

TClipboard* Clipboard() {
  static TClipboard clipboard;
  return &clipboard;
}

}  // namespace orq
