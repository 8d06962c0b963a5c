// TPanel: a flat rectangle with bevels and a centred caption that groups
// other controls.
#pragma once

#include "orqplatform/Controls.h"

namespace orq {

enum TBevelCut : int { bvNone, bvLowered, bvRaised, bvSpace };
using TPanelBevel = TBevelCut;

class TPanel : public TCustomControl {
 public:
  explicit TPanel(TComponent* AOwner = nullptr);
  std::string ClassName() const override { return "TPanel"; }

  TPanelBevel BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TPanelBevel Value);
  TPanelBevel BevelInner() const { return FBevelInner; }
  void SetBevelInner(TPanelBevel Value);
  // Width of each bevel in pixels; values below 1 become 1.
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  // Plain border in the panel's colour between the two bevels; negative values become 0.
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);

  // The face in Color, then the outer bevel, the border, the inner bevel,
  // and the caption centred in what is left, in the canvas's font.
  void Paint() override;

 private:
  TPanelBevel FBevelOuter = bvRaised;
  TPanelBevel FBevelInner = bvNone;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
};

}  // namespace orq
