// TPopupMenu: the context menu a control names. Headless it only records
// that it was asked to pop up; a host shows a native menu.
#pragma once

#include <memory>

#include "orqplatform/Components.h"

namespace orq {

class TPopupMenu : public TComponent {
 public:
  using TComponent::TComponent;
  std::string ClassName() const override { return "TPopupMenu"; }

  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  // Screen position of the last Popup call.
  TPoint PopupPoint() const { return FPopupPoint; }
  virtual void Popup(int X, int Y) { FPopupPoint = TPoint{X, Y}; }

  // Expires when the menu is destroyed, so that controls naming it never
  // hold a dangling pointer.
  std::weak_ptr<const int> LifeToken() const { return FLifeToken; }

 private:
  bool FAutoPopup = true;
  TPoint FPopupPoint;
  std::shared_ptr<const int> FLifeToken = std::make_shared<const int>(0);
};

}  // namespace orq
