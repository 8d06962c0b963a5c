// The seam between the controls and a window system. Headless, every
// windowed control gets a TNullPeer and keeps all of its state (bounds,
// surface, items ...) in memory. A host (the Qt one) installs a
// THostBackend whose peers are native windows; the controls never change
// for it.
//
// Control -> host: the control tells its peer what changed (Changed), which
// part of its surface to show (Invalidate/Update) and whether it holds the
// mouse (SetMouseCapture). The peer reads everything else from the control
// through its public properties.
//
// Host -> control: the host feeds input and window-system requests through
// public members of the controls: TControl::DispatchMouseDown/Move/Up and
// DispatchMouseWheel for raw mouse messages (they add click, double-click
// and capture handling and route to windowless children),
// TWinControl::CursorAt for the cursor under the pointer, SetBounds when
// the user resizes a top-level window, Update() before showing
// TCustomControl::Surface(), TComboBox::SelectItem / EnterText for what the
// user does in a native combo box. Besides the backend, a host installs its
// event loop step as Application's event pump (Forms.h) and tells Screen
// the desktop's size.
#pragma once

#include <memory>

#include "orqplatform/Types.h"

namespace orq {

class TGraphicControl;
class TWinControl;

// What changed in a control, for its peer to pick up.
enum TPeerChange : int {
  pcBounds,     // Left, Top, Width, Height
  pcVisible,
  pcEnabled,
  pcCursor,
  pcCaption,    // TControl::Caption (panel text)
  pcColor,
  pcHint,       // Hint or ShowHint
  pcItems,      // TComboBox items
  pcItemIndex,  // TComboBox selection
  pcStyle,      // TComboBox style, TSpeedButton state/Down/Flat/Glyph/group
  pcParent,     // the control moved to another parent window
};

class TControlPeer {
 public:
  virtual ~TControlPeer() = default;
  // A property the native window shows has a new value.
  virtual void Changed(TPeerChange What) = 0;
  // Part of the control's client area needs showing again (client pixels).
  // Also called whenever someone takes a TCustomControl's Canvas(), since
  // drawing may follow; a host coalesces these and shows the surface after
  // the current event, calling Update() on the control first.
  virtual void Invalidate(const TRect& R) = 0;
  // Show what was invalidated now rather than at the next event round.
  virtual void Update() = 0;
  // While captured, the window system sends all mouse input to this control.
  virtual void SetMouseCapture(bool Capture) = 0;
};

// The headless peer: the control's in-memory state is all there is.
class TNullPeer final : public TControlPeer {
 public:
  void Changed(TPeerChange) override {}
  void Invalidate(const TRect&) override {}
  void Update() override {}
  void SetMouseCapture(bool) override {}
};

using TCursor = int;

class THostBackend {
 public:
  virtual ~THostBackend() = default;
  // A native window for Control: a child of its parent's peer window, or a
  // top-level window for a control without parent. Called from CreateWnd;
  // returning nullptr leaves the control headless.
  virtual std::unique_ptr<TControlPeer> CreatePeer(TWinControl* Control) = 0;
  // A native stand-in for a windowless control that the window system has
  // a widget of its own for (a speed button: a tool button), as a child of
  // the parent's window. Called when the parent gets its window or the
  // control joins a parent that has one; nullptr (the default) leaves the
  // control drawn on its parent's surface.
  virtual std::unique_ptr<TControlPeer> CreateGraphicPeer(TGraphicControl* Control) { return nullptr; }
  // Screen->Cursor was set (crDefault: each control shows its own again).
  virtual void ScreenCursorChanged(TCursor Cursor) {}
  // Screen->Cursors(Index) got a new shape; peers showing it should reload.
  virtual void CursorShapeChanged(TCursor Index) {}
  // The clipboard got new contents; a host mirrors them to the system's.
  virtual void ClipboardChanged() {}
};

// The default backend: no window system, every control is headless.
class THeadlessBackend final : public THostBackend {
 public:
  std::unique_ptr<TControlPeer> CreatePeer(TWinControl*) override { return std::make_unique<TNullPeer>(); }
};

}  // namespace orq
