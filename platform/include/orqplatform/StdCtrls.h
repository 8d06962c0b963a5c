// TComboBox: a list of texts with one selected item, shown as a drop-down
// list by the window system.
#pragma once

#include <string>
#include <vector>

#include "orqplatform/Controls.h"

namespace orq {

// An index outside a list.
class EListError : public Exception {
 public:
  using Exception::Exception;
};

enum TComboBoxStyle : int { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboBox;

// The items of a combo box, numbered from 0. Every change keeps the combo
// box's selection on the same item, or clears it when that item goes.
class TComboBoxItems {
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  // Raises EListError outside 0..Count-1.
  const std::string& Strings(int Index) const;
  void SetStrings(int Index, const std::string& Value);
  const std::string& operator[](int Index) const { return Strings(Index); }

  // Appends; returns the new item's index.
  int Add(const std::string& S);
  // Index may be Count (append); raises EListError beyond.
  void Insert(int Index, const std::string& S);
  void Delete(int Index);
  void Clear();
  // The first item equal to S ignoring ASCII letter case, as the
  // platform's lists compare; -1 when there is none.
  int IndexOf(const std::string& S) const;
  void Assign(const std::vector<std::string>& Items);

  const std::vector<std::string>& Items() const { return FItems; }
  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

 private:
  friend class TComboBox;
  explicit TComboBoxItems(TComboBox* Owner) : FOwner(Owner) {}
  void CheckIndex(int Index, int Limit) const;

  TComboBox* FOwner;
  std::vector<std::string> FItems;
};

class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* AOwner = nullptr);
  std::string ClassName() const override { return "TComboBox"; }

  TComboBoxItems* Items() { return &FItems; }
  const TComboBoxItems* Items() const { return &FItems; }
  // Items()->Add(Item) and Items()->Clear() under the platform's names.
  void AddItem(const std::string& Item) { FItems.Add(Item); }
  void Clear() { FItems.Clear(); }

  // -1 (nothing selected) .. Count-1. Setting a value outside that range
  // is ignored. Setting it from a program does not raise OnChange.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);

  // csDropDownList: the selected item's text ("" with none); setting it
  // selects the first item of that text and ignores a text that is not in
  // the list. The editable styles keep any text; setting it selects the
  // item of that text, if there is one, or none.
  std::string Text() const;
  void SetText(const std::string& Value);

  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);

  int DropDownCount() const { return FDropDownCount; }
  // Values below 1 become 1.
  void SetDropDownCount(int Value) { FDropDownCount = Value < 1 ? 1 : Value; }

  // What the user does, as the window system reports it: pick item Index
  // from the list, or type Value into the edit field. Both raise OnChange
  // when the selection (text) changes. SelectItem returns false and does
  // nothing for an index outside the list; EnterText is ignored in
  // csDropDownList style.
  bool SelectItem(int Index);
  void EnterText(const std::string& Value);
  // Whether the list is open, as the window system reports it.
  bool DroppedDown() const { return FDroppedDown; }
  void SetDroppedDown(bool Value) { FDroppedDown = Value; }

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Handler) { FOnChange = std::move(Handler); }

 protected:
  virtual void Change();
  // A plain picture of the closed box: field, frame, text, arrow button.
  void PaintWindowTo(TCanvas* Canvas, int X, int Y) override;

 private:
  friend class TComboBoxItems;
  void ItemsChanged();

  TComboBoxItems FItems{this};
  int FItemIndex = -1;
  std::string FEditText;  // editable styles only
  TComboBoxStyle FStyle = csDropDown;
  int FDropDownCount = 8;
  bool FDroppedDown = false;
  TNotifyEvent FOnChange;
};

}  // namespace orq
