// The in-memory clipboard.
#include "orqplatform/Clipboard.h"

#include "orqplatform/Bitmap.h"
#include "orqplatform/Forms.h"

namespace orq {

TClipboard::TClipboard() = default;
TClipboard::~TClipboard() = default;

void TClipboard::Assign(TPersistent* Source) {
  auto* bitmap = dynamic_cast<TBitmap*>(Source);
  if (bitmap == nullptr) {
    TPersistent::Assign(Source);  // lets Source try, else the conversion error
    return;
  }
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(bitmap);
  FBitmap = std::move(copy);
  FText.clear();
  FHasText = false;
  Changed();
}

void TClipboard::AssignTo(TPersistent* Dest) {
  auto* bitmap = dynamic_cast<TBitmap*>(Dest);
  if (bitmap == nullptr || FBitmap == nullptr) {
    TPersistent::AssignTo(Dest);
    return;
  }
  bitmap->Assign(FBitmap.get());
}

bool TClipboard::HasFormat(TClipboardFormat Format) const {
  switch (Format) {
    case CF_BITMAP: return FBitmap != nullptr;
    case CF_TEXT: return FHasText;
    default: return false;
  }
}

bool TClipboard::GetAsBitmap(TBitmap* Dest) const {
  if (FBitmap == nullptr || Dest == nullptr) return false;
  Dest->Assign(FBitmap.get());
  return true;
}

void TClipboard::SetAsText(const std::string& Value) {
  FBitmap.reset();
  FText = Value;
  FHasText = true;
  Changed();
}

void TClipboard::Clear() {
  FBitmap.reset();
  FText.clear();
  FHasText = false;
  Changed();
}

void TClipboard::Changed() {
  Application->HostBackend()->ClipboardChanged();
  if (FOnChange) FOnChange(this);
}

TClipboard* Clipboard() {
  static TClipboard* const clipboard = new TClipboard();
  return clipboard;
}

}  // namespace orq
