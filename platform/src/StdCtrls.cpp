// TComboBox and its item list.
#include "orqplatform/StdCtrls.h"

#include <algorithm>
#include <cctype>

#include "orqplatform/Canvas.h"

namespace orq {

namespace {

bool SameTextAscii(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

// ---- Items -----------------------------------------------------------------

void TComboBoxItems::CheckIndex(int Index, int Limit) const {
  if (Index < 0 || Index > Limit) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

const std::string& TComboBoxItems::Strings(int Index) const {
  CheckIndex(Index, Count() - 1);
  return FItems[static_cast<size_t>(Index)];
}

void TComboBoxItems::SetStrings(int Index, const std::string& Value) {
  CheckIndex(Index, Count() - 1);
  FItems[static_cast<size_t>(Index)] = Value;
  if (Index == FOwner->FItemIndex) FOwner->FEditText = Value;
  FOwner->ItemsChanged();
}

int TComboBoxItems::Add(const std::string& S) {
  Insert(Count(), S);
  return Count() - 1;
}

void TComboBoxItems::Insert(int Index, const std::string& S) {
  CheckIndex(Index, Count());
  FItems.insert(FItems.begin() + Index, S);
  if (FOwner->FItemIndex >= Index) ++FOwner->FItemIndex;
  FOwner->ItemsChanged();
}

void TComboBoxItems::Delete(int Index) {
  CheckIndex(Index, Count() - 1);
  FItems.erase(FItems.begin() + Index);
  int& selected = FOwner->FItemIndex;
  if (selected == Index) {
    selected = -1;
    FOwner->FEditText.clear();
  } else if (selected > Index) {
    --selected;
  }
  FOwner->ItemsChanged();
}

void TComboBoxItems::Clear() {
  FItems.clear();
  FOwner->FItemIndex = -1;
  FOwner->FEditText.clear();
  FOwner->ItemsChanged();
}

int TComboBoxItems::IndexOf(const std::string& S) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (SameTextAscii(FItems[i], S)) return static_cast<int>(i);
  return -1;
}

void TComboBoxItems::Assign(const std::vector<std::string>& Items) {
  FItems = Items;
  FOwner->FItemIndex = -1;
  FOwner->FEditText.clear();
  FOwner->ItemsChanged();
}

// ---- Combo box -------------------------------------------------------------

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 145, 21);
  SetColor(0xFFFFFF);
}

void TComboBox::ItemsChanged() {
  PeerChanged(pcItems);
  Invalidate();
}

void TComboBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems.Count() || Value == FItemIndex) return;
  FItemIndex = Value;
  FEditText = Value >= 0 ? FItems.Strings(Value) : std::string();
  PeerChanged(pcItemIndex);
  Invalidate();
}

std::string TComboBox::Text() const {
  if (FStyle == csDropDownList) return FItemIndex >= 0 ? FItems.Strings(FItemIndex) : std::string();
  return FEditText;
}

void TComboBox::SetText(const std::string& Value) {
  const int match = FItems.IndexOf(Value);
  if (FStyle == csDropDownList) {
    if (match >= 0) SetItemIndex(match);
    return;
  }
  if (match >= 0)
    SetItemIndex(match);
  else
    SetItemIndex(-1);
  if (FEditText != Value) {
    FEditText = Value;
    PeerChanged(pcItemIndex);
    Invalidate();
  }
}

void TComboBox::SetStyle(TComboBoxStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  // A list-only box shows nothing but items.
  if (FStyle == csDropDownList) FEditText = FItemIndex >= 0 ? FItems.Strings(FItemIndex) : std::string();
  PeerChanged(pcStyle);
  Invalidate();
}

bool TComboBox::SelectItem(int Index) {
  if (Index < 0 || Index >= FItems.Count()) return false;
  if (Index == FItemIndex) return true;
  SetItemIndex(Index);
  Change();
  return true;
}

void TComboBox::EnterText(const std::string& Value) {
  if (FStyle == csDropDownList || Value == FEditText) return;
  SetText(Value);
  Change();
}

void TComboBox::PaintWindowTo(TCanvas* Canvas, int X, int Y) {
  const TBrush savedBrush = Canvas->Brush;
  const TPen savedPen = Canvas->Pen;
  const int w = Width(), h = Height();
  Canvas->Brush.Color = Color();
  Canvas->Brush.Style = bsSolid;
  Canvas->Pen = TPen{};
  Canvas->Pen.Color = 0x808080;
  Canvas->Rectangle(X, Y, X + w, Y + h);
  // The arrow button at the right end, as wide as the box is high.
  const int button = std::min(std::max(h - 2, 0), std::max(w - 2, 0));
  const int bx = X + w - 1 - button;
  Canvas->Brush.Color = 0xF0F0F0;
  Canvas->FillRect(Rect(bx, Y + 1, X + w - 1, Y + h - 1));
  const int cx = bx + button / 2, cy = Y + h / 2 - 1;
  for (int i = 0; i < 4 && i <= button / 2; ++i) Canvas->PlotSpan(cx - 3 + i, cx + 3 - i, cy + i - 1, 0, pmCopy);
  const std::string text = Text();
  if (!text.empty()) {
    Canvas->Brush.Style = bsClear;
    Canvas->TextOut(X + 4, Y + (h - Canvas->TextHeight(text)) / 2, text);
  }
  Canvas->Brush = savedBrush;
  Canvas->Pen = savedPen;
}

void TComboBox::Change() {
  if (FOnChange) FOnChange(this);
}

}  // namespace orq
