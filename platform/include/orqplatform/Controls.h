// The control tree: TControl (bounds, visibility, cursor, mouse events),
// TGraphicControl (drawn on its parent, no window of its own), TWinControl
// (a window with children laid out by Align) and TCustomControl (a window
// with a surface bitmap that Paint draws on).
//
// Owner and Parent are distinct: the owner frees a component, the parent
// shows a control. Destroying a parent detaches its children and leaves
// freeing them to their owners, so a child on the stack or owned elsewhere
// is never freed twice.
//
// Mouse input from a window system goes through DispatchMouseDown/Move/Up,
// which add what the raw handlers do not: a left press and release inside
// the control makes a Click, a press with ssDouble a DblClick, a left press
// captures the mouse until release. The order of the events is
//   OnMouseDown, OnClick, OnMouseUp        (single click)
//   OnDblClick, OnMouseDown(ssDouble), OnMouseUp   (second press of a double click)
// MouseDown/MouseMove/MouseUp themselves only raise their own event, so a
// host or a test can drive a control either way.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "orqplatform/Bitmap.h"
#include "orqplatform/Canvas.h"
#include "orqplatform/Components.h"
#include "orqplatform/ControlPeer.h"
#include "orqplatform/Exceptions.h"
#include "orqplatform/Types.h"

namespace orq {

class TWinControl;

// A request that the control tree cannot carry out (a control made its own
// parent, for example).
class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};

enum TAlign : int { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum TMouseButton : int { mbLeft, mbRight, mbMiddle };

enum TShiftStateItem : int { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

// Standard cursors have the classic negative numbers; applications add their
// own under positive numbers in Screen->Cursors.
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;
inline constexpr TCursor crSize = -22;

enum TControlStyleItem : int {
  csAcceptsControls,
  csCaptureMouse,  // a left press captures the mouse until release
  csDesignInteractive,
  csClickEvents,   // press and release inside make a Click
  csFramed,
  csSetCaption,
  csOpaque,        // Paint covers the whole surface; no erase before it
  csDoubleClicks,  // a press with ssDouble makes a DblClick
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
  csNoStdEvents,   // no OnMouseDown/Move/Up
};
using TControlStyle = TSet<TControlStyleItem>;

enum TStyleElement : int { seFont, seClient, seBorder };
using TStyleElements = TSet<TStyleElement>;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
// WheelDelta: 120 a notch, positive away from the user; MousePos in client
// pixels. A handler sets Handled to stop the message.
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
// May change the size about to be set, or refuse the change (Resize false).
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;

class TPopupMenu;

// Whether a press starts dragging the control by itself.
enum TDragMode : int { dmManual, dmAutomatic };

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner = nullptr);
  ~TControl() override;
  std::string ClassName() const override { return "TControl"; }

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);

  // Bounds in the parent's client pixels. Negative sizes count as 0.
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  // The one place bounds change: moves and resizes, then realigns the
  // parent (when this control is aligned) and, on a size change, the
  // children, and raises OnResize. OnCanResize may adjust or refuse a new
  // size first. Negative sizes count as 0.
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Rect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
  virtual TRect ClientRect() const { return Rect(0, 0, FWidth, FHeight); }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  // Client pixels of this control to client pixels of Ancestor (nullptr:
  // the top of the tree).
  TPoint ClientToParent(TPoint P, TWinControl* Ancestor = nullptr) const;

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);

  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible and every parent visible.
  bool Showing() const;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);

  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  // Stored for hosts that support dragging; headless nothing drags.
  TCursor DragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor Value) { FDragCursor = Value; }
  TDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TDragMode Value) { FDragMode = Value; }
  // The context menu; null once the menu has been destroyed.
  TPopupMenu* PopupMenu() const;
  void SetPopupMenu(TPopupMenu* Value);

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);

  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value);
  // With ParentShowHint (the default) a control shows hints when its
  // parent does; setting ShowHint ends that.
  bool ShowHint() const;
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);

  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TStyleElements StyleElements() const { return FStyleElements; }
  void SetStyleElements(TStyleElements Value) { FStyleElements = Value; }

  // Painting. Invalidate marks the control for painting at the next
  // Update (or Application->ProcessMessages); Update paints a marked
  // control that is Showing (a hidden one just drops the mark: showing it
  // marks it again); Repaint and Refresh do both at once.
  virtual void Invalidate();
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  bool PaintPending() const { return FPaintPending; }

  // The raw mouse handlers; each raises its event (unless csNoStdEvents).
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  // Raise OnClick / OnDblClick.
  virtual void Click();
  virtual void DblClick();

  // Mouse messages as a window system delivers them (see the top of this
  // file). Disabled controls ignore them.
  virtual void DispatchMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void DispatchMouseMove(TShiftState Shift, int X, int Y);
  virtual void DispatchMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  // A wheel turn over the control: OnMouseWheel, then (not handled)
  // OnMouseWheelUp or OnMouseWheelDown; what is still not handled goes to
  // the parent. Returns whether a handler took it.
  virtual bool DispatchMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);

  bool MouseCapture() const { return FMouseCapture; }
  virtual void SetMouseCapture(bool Value);

  const TMouseEvent& OnMouseDown() const { return FOnMouseDown; }
  void SetOnMouseDown(TMouseEvent Handler) { FOnMouseDown = std::move(Handler); }
  const TMouseMoveEvent& OnMouseMove() const { return FOnMouseMove; }
  void SetOnMouseMove(TMouseMoveEvent Handler) { FOnMouseMove = std::move(Handler); }
  const TMouseEvent& OnMouseUp() const { return FOnMouseUp; }
  void SetOnMouseUp(TMouseEvent Handler) { FOnMouseUp = std::move(Handler); }
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent Handler) { FOnClick = std::move(Handler); }
  const TNotifyEvent& OnDblClick() const { return FOnDblClick; }
  void SetOnDblClick(TNotifyEvent Handler) { FOnDblClick = std::move(Handler); }
  const TNotifyEvent& OnResize() const { return FOnResize; }
  void SetOnResize(TNotifyEvent Handler) { FOnResize = std::move(Handler); }
  const TCanResizeEvent& OnCanResize() const { return FOnCanResize; }
  void SetOnCanResize(TCanResizeEvent Handler) { FOnCanResize = std::move(Handler); }
  const TMouseWheelEvent& OnMouseWheel() const { return FOnMouseWheel; }
  void SetOnMouseWheel(TMouseWheelEvent Handler) { FOnMouseWheel = std::move(Handler); }
  const TMouseWheelUpDownEvent& OnMouseWheelUp() const { return FOnMouseWheelUp; }
  void SetOnMouseWheelUp(TMouseWheelUpDownEvent Handler) { FOnMouseWheelUp = std::move(Handler); }
  const TMouseWheelUpDownEvent& OnMouseWheelDown() const { return FOnMouseWheelDown; }
  void SetOnMouseWheelDown(TMouseWheelUpDownEvent Handler) { FOnMouseWheelDown = std::move(Handler); }

 protected:
  // Raises OnMouseWheel, then OnMouseWheelUp/Down; true when handled.
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  // Raises OnResize; called after a size change and the realignment of
  // the children.
  virtual void Resize();
  // Paints the control now; clears the pending mark first.
  virtual void PaintNow();
  // Told after the size changed (before the children are realigned).
  virtual void SizeChanged() {}
  // The peer of the window that shows this control, if any.
  virtual TControlPeer* WindowPeer() const { return nullptr; }
  void PeerChanged(TPeerChange What) const;
  bool InClientRect(int X, int Y) const;
  // Expires when the control is destroyed: lets a caller see whether an
  // event handler freed the control it was raised for.
  std::weak_ptr<const int> LifeToken() const { return FLifeToken; }

  TControlStyle FControlStyle;

 private:
  friend class TWinControl;
  friend class TGraphicControl;
  friend class TApplication;

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  bool FVisible = true;
  bool FEnabled = true;
  TCursor FCursor = crDefault;
  TCursor FDragCursor = crDrag;
  TDragMode FDragMode = dmManual;
  TPopupMenu* FPopupMenu = nullptr;
  std::weak_ptr<const int> FPopupMenuAlive;
  TColor FColor = 0xF0F0F0;  // the face colour of buttons and panels
  std::string FCaption;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TStyleElements FStyleElements{seFont, seClient, seBorder};
  bool FPaintPending = false;
  bool FMouseCapture = false;
  bool FClicked = false;  // a left press waits for its release
  std::shared_ptr<const int> FLifeToken = std::make_shared<const int>(0);

  TMouseEvent FOnMouseDown;
  TMouseMoveEvent FOnMouseMove;
  TMouseEvent FOnMouseUp;
  TNotifyEvent FOnClick;
  TNotifyEvent FOnDblClick;
  TNotifyEvent FOnResize;
  TCanResizeEvent FOnCanResize;
  TMouseWheelEvent FOnMouseWheel;
  TMouseWheelUpDownEvent FOnMouseWheelUp;
  TMouseWheelUpDownEvent FOnMouseWheelDown;
};

// A control without a window: it draws on a surface of its own size that
// its parent (a TCustomControl) lays over its own picture, and it gets its
// mouse input through its parent.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner = nullptr);
  ~TGraphicControl() override;
  std::string ClassName() const override { return "TGraphicControl"; }

  TCanvas* Canvas();
  TBitmap* Surface() const { return FSurface.get(); }
  virtual void Paint() {}

  void Invalidate() override;
  void Update() override;
  void SetMouseCapture(bool Value) override;

  // The native stand-in a host backend gave this control while its parent
  // has a window; nullptr when it is drawn on the parent's surface.
  TControlPeer* Peer() const { return FPeer.get(); }

 protected:
  void PaintNow() override;
  void SizeChanged() override;
  TControlPeer* WindowPeer() const override { return FPeer.get(); }

 private:
  friend class TCustomControl;  // paints us into its picture
  friend class TWinControl;     // makes and drops the stand-in with its window
  std::unique_ptr<TBitmap> FSurface;
  std::unique_ptr<TControlPeer> FPeer;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner = nullptr);
  ~TWinControl() override;
  std::string ClassName() const override { return "TWinControl"; }

  // Children in the order they were inserted, 0-based.
  int ControlCount() const { return static_cast<int>(FControls.size()); }
  // The same as Control->SetParent(this) / SetParent(nullptr).
  void InsertControl(TControl* Control);
  void RemoveControl(TControl* Control);
  TControl* Controls(int Index) const { return FControls.at(static_cast<size_t>(Index)); }
  bool ContainsControl(const TControl* Control) const;
  // The topmost visible child at P (client pixels): windowless children
  // only unless AllowWinControls; disabled ones only if AllowDisabled.
  TControl* ControlAtPos(TPoint P, bool AllowDisabled = false, bool AllowWinControls = false) const;
  // The cursor the pointer shows at P: that of the windowless child there,
  // else this control's.
  TCursor CursorAt(TPoint P) const;

  // Lays out the aligned children again.
  void Realign();
  // Between DisableAlign and EnableAlign (nested) no layout happens; the
  // last EnableAlign lays out once.
  void DisableAlign() { ++FAlignDisabled; }
  void EnableAlign();

  // The window. HandleNeeded creates it once, after the parent's and
  // before those of the windowed children, through CreateWnd, which asks
  // the application's host backend for a peer. Subclasses extend CreateWnd
  // with what needs the window; calling it directly keeps an existing peer.
  bool HandleAllocated() const { return FPeer != nullptr; }
  void HandleNeeded();
  virtual void CreateWnd();
  TControlPeer* Handle() {
    HandleNeeded();
    return FPeer.get();
  }
  TControlPeer* Peer() const { return FPeer.get(); }
  void DestroyHandle();

  void Invalidate() override;
  void Update() override;
  void SetMouseCapture(bool Value) override;

  // Draws this window and, over it, its visible windowed children (each
  // whole, not cut to this window) onto Canvas with the top-left corner at
  // (X, Y): a picture of a composite control without a window system.
  // Pending paints are done first.
  void PaintTo(TCanvas* Canvas, int X, int Y);

  // Routed to a windowless child under the pointer (or the one that took
  // the press) in that child's coordinates; otherwise handled here.
  void DispatchMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DispatchMouseMove(TShiftState Shift, int X, int Y) override;
  void DispatchMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 protected:
  virtual void DestroyWnd();
  // This window alone, for PaintTo. A window without a surface shows its
  // colour; subclasses draw what a native window would show.
  virtual void PaintWindowTo(TCanvas* Canvas, int X, int Y);
  // Places the aligned children inside Rect, shrinking it as it goes.
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  TControlPeer* WindowPeer() const override { return FPeer.get(); }

 private:
  friend class TControl;
  friend class TGraphicControl;

  void AttachChild(TControl* Control);
  void DetachChild(TControl* Control);
  // Asks the backend for a native stand-in of a windowless child.
  static void GraphicPeerNeeded(TGraphicControl* Control);
  void ChildAlignChanged(TControl* Control);

  std::vector<TControl*> FControls;
  std::unique_ptr<TControlPeer> FPeer;
  TControl* FMouseChild = nullptr;  // windowless child holding the mouse
  int FAlignDisabled = 0;
  bool FAligning = false;
  bool FAlignPending = false;
};

// A window with a surface: Canvas() draws on a bitmap of the control's
// size, which follows SetBounds (the common top-left part is kept). Paint
// draws the whole picture; the windowless children are laid over it.
// Drawing on Canvas() outside Paint (mouse feedback) goes to the same
// surface and shows at once; the next Paint replaces it.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner = nullptr);
  ~TCustomControl() override;
  std::string ClassName() const override { return "TCustomControl"; }

  TCanvas* Canvas();
  TBitmap* Surface() const { return FSurface.get(); }
  virtual void Paint() {}

 protected:
  void PaintNow() override;
  void SizeChanged() override;
  void PaintWindowTo(TCanvas* Canvas, int X, int Y) override;

 private:
  std::unique_ptr<TBitmap> FSurface;
};

}  // namespace orq
