// Headless controls: TControl, TWinControl, TCustomControl and
// TGraphicControl keep their bounds, layout, state and a window surface (a
// bitmap of the control's size that Canvas() draws on) in memory. A host
// backend (the Qt one) attaches a TControlPeer to give a control a native
// window and feeds real mouse events into the public handlers; without one
// the controls work as they are, which is how the tests drive them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "orqplatform/Bitmap.h"
#include "orqplatform/Canvas.h"
#include "orqplatform/Components.h"

namespace orq {

class TWinControl;
class TControl;

enum TAlign : int { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TMouseButton : int { mbLeft, mbRight, mbMiddle };
enum TShiftStateItem : int { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
                  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crDrag = -12,
                  crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crSQLWait = -17, crNo = -18,
                  crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

// What a host backend is told about a control; every call is optional.
class TControlPeer {
 public:
  virtual ~TControlPeer() = default;
  virtual void BoundsChanged(TControl* Control) {}
  virtual void VisibleChanged(TControl* Control) {}
  virtual void CursorChanged(TControl* Control) {}
  // The control's surface has new content to show (after Paint or Invalidate).
  virtual void Invalidated(TControl* Control) {}
  virtual void Destroying(TControl* Control) {}
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner = nullptr);
  ~TControl() override;
  std::string ClassName() const override { return "TControl"; }

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  // Negative sizes count as 0. Resizing resizes the window surface, raises
  // OnResize and lays out the children.
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return TRect{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  TRect ClientRect() const { return TRect{0, 0, FWidth, FHeight}; }
  int ClientWidth() const { return FWidth; }
  int ClientHeight() const { return FHeight; }

  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);

  // Drawing: Paint renders into the window surface; Invalidate asks for a
  // repaint (headless: at once); Repaint paints now.
  virtual void Paint() {}
  virtual void Invalidate();
  void Repaint() { Invalidate(); }
  // Copies the window surface, and those of the visible children on top of
  // it, onto Canvas with the control's top-left corner at (X, Y): a
  // screenshot of the control tree as last painted. Resizing does not
  // repaint by itself; a host repaints when told BoundsChanged.
  void PaintTo(TCanvas* Canvas, int X, int Y);

  // Mouse input in client coordinates; each raises its event. A press and
  // release of the left button inside the control is a click.
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void Click();
  virtual void DblClick();

  void SetOnMouseDown(TMouseEvent Handler) { FOnMouseDown = std::move(Handler); }
  const TMouseEvent& OnMouseDown() const { return FOnMouseDown; }
  void SetOnMouseMove(TMouseMoveEvent Handler) { FOnMouseMove = std::move(Handler); }
  const TMouseMoveEvent& OnMouseMove() const { return FOnMouseMove; }
  void SetOnMouseUp(TMouseEvent Handler) { FOnMouseUp = std::move(Handler); }
  const TMouseEvent& OnMouseUp() const { return FOnMouseUp; }
  void SetOnClick(TNotifyEvent Handler) { FOnClick = std::move(Handler); }
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnDblClick(TNotifyEvent Handler) { FOnDblClick = std::move(Handler); }
  const TNotifyEvent& OnDblClick() const { return FOnDblClick; }
  void SetOnResize(TNotifyEvent Handler) { FOnResize = std::move(Handler); }
  const TNotifyEvent& OnResize() const { return FOnResize; }

  TControlPeer* Peer() const { return FPeer; }
  void SetPeer(TControlPeer* APeer) { FPeer = APeer; }

  // The window surface: a bitmap of the control's size.
  TBitmap* Surface() { return &FSurface; }

 protected:
  virtual void Resize();
  TBitmap FSurface;

 private:
  friend class TWinControl;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FVisible = true, FEnabled = true;
  TAlign FAlign = alNone;
  TCursor FCursor = crDefault;
  std::string FCaption;
  TColor FColor = 0xF0F0F0;
  TWinControl* FParent = nullptr;
  TControlPeer* FPeer = nullptr;
  bool FLeftPressed = false;
  TMouseEvent FOnMouseDown, FOnMouseUp;
  TMouseMoveEvent FOnMouseMove;
  TNotifyEvent FOnClick, FOnDblClick, FOnResize;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner = nullptr);
  ~TWinControl() override;
  std::string ClassName() const override { return "TWinControl"; }

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  // Children, 0-based, in insertion order.
  TControl* Controls(int Index) const { return FControls.at(static_cast<size_t>(Index)); }
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);

  // Places the aligned children: alTop and alBottom rows take the full
  // width in child order, then alLeft and alRight columns the remaining
  // height, and alClient children the rest.
  virtual void AlignControls();
  // Creates the window (headless: marks it created); the first Invalidate
  // or parent assignment calls it.
  virtual void CreateWnd() { FHandleAllocated = true; }
  bool HandleAllocated() const { return FHandleAllocated; }
  void HandleNeeded() {
    if (!FHandleAllocated) CreateWnd();
  }

 protected:
  void Resize() override;

 private:
  std::vector<TControl*> FControls;
  bool FHandleAllocated = false;
};

// A windowed control that paints itself on its Canvas.
class TCustomControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
  std::string ClassName() const override { return "TCustomControl"; }
  TCanvas* Canvas() { return FSurface.Canvas(); }
};

// A control without a window of its own that paints itself on its Canvas.
class TGraphicControl : public TControl {
 public:
  using TControl::TControl;
  std::string ClassName() const override { return "TGraphicControl"; }
  TCanvas* Canvas() { return FSurface.Canvas(); }
};

}  // namespace orq
