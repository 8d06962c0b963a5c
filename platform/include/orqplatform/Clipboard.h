// The clipboard: holds a copy of one bitmap (or text) in memory; a host may
// watch it and hand the content to the desktop.
#pragma once

#include <memory>
#include <string>

#include "orqplatform/Bitmap.h"

namespace orq {

constexpr int CF_TEXT = 1;
constexpr int CF_BITMAP = 2;

class TClipboard : public TPersistent {
 public:
  std::string ClassName() const override { return "TClipboard"; }

  // Assign(bitmap or JPEG image) puts a copy of its pixels on the
  // clipboard; a bitmap's Assign(Clipboard()) takes it back.
  void Assign(TPersistent* Source) override;
  void AssignTo(TPersistent* Dest) override;

  bool HasFormat(int Format) const;
  void Clear();
  std::string AsText() const { return FText; }
  void SetAsText(const std::string& Value);
  // The bitmap on the clipboard, or nullptr.
  const TBitmap* Bitmap() const { return FBitmap.get(); }

  void SetOnChange(TNotifyEvent Handler) { FOnChange = std::move(Handler); }

 private:
  void Changed();
  std::unique_ptr<TBitmap> FBitmap;
  std::string FText;
  bool FHasText = false;
  TNotifyEvent FOnChange;
};

TClipboard* Clipboard();

}  // namespace orq
