// TSpeedButton: a flat tool button that can stay down and work in groups.
#pragma once

#include <string>

#include "orqplatform/Controls.h"

namespace orq {

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* AOwner = nullptr);
  std::string ClassName() const override { return "TSpeedButton"; }

  // Buttons with the same non-zero GroupIndex under one parent are
  // exclusive: putting one down puts the others up. With GroupIndex 0 a
  // button never stays down.
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  // Whether clicking the down button of a group puts it up again.
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);

  // The picture: NumGlyphs images side by side (up, disabled, clicked,
  // down); the button shows the one for its state.
  TBitmap* Glyph() { return &FGlyph; }
  void SetGlyph(TBitmap* Value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);

  // Toggles Down in a group (as a user's click does), then raises OnClick.
  void Click() override;
  void Paint() override;

 private:
  void UpdateExclusive();
  bool FDown = false;
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FFlat = false;
  TBitmap FGlyph;
  int FNumGlyphs = 1;
};

}  // namespace orq
