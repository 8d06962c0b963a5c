// The clipboard: holds one bitmap or one text at a time, in memory. A host
// backend is told of every change so that it can publish the contents to
// the window system's clipboard.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "orqplatform/Components.h"

namespace orq {

class TBitmap;

using TClipboardFormat = uint16_t;
inline constexpr TClipboardFormat CF_TEXT = 1;
inline constexpr TClipboardFormat CF_BITMAP = 2;

class TClipboard : public TPersistent {
 public:
  TClipboard();
  ~TClipboard() override;
  TClipboard(const TClipboard&) = delete;
  TClipboard& operator=(const TClipboard&) = delete;
  std::string ClassName() const override { return "TClipboard"; }

  // Puts a copy of a TBitmap on the clipboard, replacing what was there.
  // Other sources raise EConvertError ("Cannot assign a X to a TClipboard").
  void Assign(TPersistent* Source) override;
  // Copies the bitmap into a TBitmap Dest; raises EConvertError when the
  // clipboard holds no bitmap or Dest is no TBitmap.
  void AssignTo(TPersistent* Dest) override;

  bool HasFormat(TClipboardFormat Format) const;
  // The bitmap on the clipboard, or nullptr.
  const TBitmap* Bitmap() const { return FBitmap.get(); }
  // Copies the bitmap into Dest and returns true; false (Dest untouched)
  // when there is no bitmap.
  bool GetAsBitmap(TBitmap* Dest) const;

  // The text ("" when the clipboard holds none); setting it replaces what
  // was there.
  std::string AsText() const { return FHasText ? FText : std::string(); }
  void SetAsText(const std::string& Value);

  void Clear();

  // Raised after every change of the contents.
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Handler) { FOnChange = std::move(Handler); }

 private:
  void Changed();

  std::unique_ptr<TBitmap> FBitmap;  // null when there is no bitmap
  std::string FText;
  bool FHasText = false;
  TNotifyEvent FOnChange;
};

// The process-wide clipboard, made on first use and never destroyed.
TClipboard* Clipboard();

}  // namespace orq
