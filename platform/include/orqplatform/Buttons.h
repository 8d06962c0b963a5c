// TSpeedButton: a windowless button that can stay down, alone or as one of
// a group of which at most one is down.
#pragma once

#include <memory>

#include "orqplatform/Controls.h"

namespace orq {

// How a button looks, and which of its glyph images it shows (the glyph
// bitmap holds NumGlyphs images side by side in this order).
enum TButtonState : int { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* AOwner = nullptr);
  ~TSpeedButton() override;
  std::string ClassName() const override { return "TSpeedButton"; }

  // Buttons with the same non-zero GroupIndex under one parent form a
  // group: at most one of them is down, and a click puts the clicked one
  // down. Changing GroupIndex applies the rule at once.
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  // Only a grouped button can be down. Putting one down puts the others of
  // its group up; putting it up is refused unless AllowAllUp.
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  // Whether the group may have no button down (a click on the down button
  // then puts it up). Shared by the whole group: setting it on one sets it
  // on all.
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);

  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);

  // A copy of the picture given; nullptr empties it. A glyph whose width
  // is 1 to 4 times its height sets NumGlyphs to that ratio.
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  // Images in the glyph, 1..4 (values outside are clamped).
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);

  TButtonState State() const { return Enabled() ? FState : bsDisabled; }

  // A down button that joins a parent keeps the group rule there too.
  void SetParent(TWinControl* AParent) override;

  // A click as the user makes it: a grouped button goes down (or up, when
  // it is down and the group allows all up), then OnClick.
  void Click() override;

  // Press and release inside the button make a Click (raised after
  // OnMouseUp); a release outside cancels.
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  // Face, edge (none when flat and up), glyph image of the current state
  // centred (moved by one pixel while down), caption to its right.
  void Paint() override;

 private:
  void UpdateExclusive();
  void SetState(TButtonState Value);
  // Tells the native stand-in (if any) and repaints.
  void StyleChanged();
  TButtonState RestingState() const;

  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  bool FFlat = false;
  bool FDragging = false;  // a left press waits for its release
  int FNumGlyphs = 1;
  TButtonState FState = bsUp;
  std::unique_ptr<TBitmap> FGlyph;
};

}  // namespace orq
