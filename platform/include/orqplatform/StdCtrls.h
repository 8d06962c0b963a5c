// TPanel and TComboBox.
#pragma once

#include <string>
#include <vector>

#include "orqplatform/Controls.h"

namespace orq {

enum TBevelCut : int { bvNone, bvLowered, bvRaised, bvSpace };

// A container that paints its colour, a one-pixel bevel and its caption
// centred.
class TPanel : public TCustomControl {
 public:
  explicit TPanel(TComponent* AOwner = nullptr);
  std::string ClassName() const override { return "TPanel"; }
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  void Paint() override;

 private:
  TBevelCut FBevelOuter = bvRaised;
};

enum TComboBoxStyle : int { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* AOwner = nullptr);
  std::string ClassName() const override { return "TComboBox"; }

  // The list; change it through Items() and call ItemsChanged afterwards,
  // or use the helpers.
  std::vector<std::string>& Items() { return FItems; }
  void AddItem(const std::string& Item) { FItems.push_back(Item); }
  void ClearItems();
  void ItemsChanged();

  // -1 for no selection; values outside -1 .. count-1 become -1. Setting it
  // does not raise OnChange (only a user's choice does).
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  // The text shown: the selected item, or the typed text of csDropDown.
  std::string Text() const;
  void SetText(const std::string& Value);

  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value) { FStyle = Value; }
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value) { FDropDownCount = Value; }
  bool DroppedDown() const { return FDroppedDown; }
  void SetDroppedDown(bool Value) { FDroppedDown = Value; }

  // What a host (or a test) calls when the user picks an entry: selects it
  // and raises OnChange when the selection changed.
  void UserSelect(int Index);

  void SetOnChange(TNotifyEvent Handler) { FOnChange = std::move(Handler); }
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void Paint() override;

 protected:
  virtual void Change();

 private:
  std::vector<std::string> FItems;
  int FItemIndex = -1;
  std::string FText;
  TComboBoxStyle FStyle = csDropDown;
  int FDropDownCount = 8;
  bool FDroppedDown = false;
  TNotifyEvent FOnChange;
};

}  // namespace orq
