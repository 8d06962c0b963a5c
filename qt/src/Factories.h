// The native peers, one factory per kind of control.
#pragma once

#include <memory>

#include "orqplatform/Buttons.h"
#include "orqplatform/ExtCtrls.h"
#include "orqplatform/StdCtrls.h"

namespace orq::qt::detail {

// A QWidget that shows the control's surface (any TWinControl; one without
// a surface shows its colour) and feeds it the mouse.
std::unique_ptr<TControlPeer> MakeControlWidget(TWinControl* Control);
// A QFrame with the panel's bevel, colour and caption.
std::unique_ptr<TControlPeer> MakePanelFrame(TPanel* Panel);
// A QComboBox kept in step with the control's items and selection.
std::unique_ptr<TControlPeer> MakeComboBox(TComboBox* ComboBox);
// A flat checkable QToolButton showing the button's glyph and state.
std::unique_ptr<TControlPeer> MakeToolButton(TSpeedButton* Button);

}  // namespace orq::qt::detail
