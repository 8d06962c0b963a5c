// TComboBox as a QComboBox. The control holds the truth: the widget shows
// its items and selection, and what the user does goes to SelectItem and
// EnterText, which raise OnChange once when the selection changes. Signals
// are blocked while the widget is brought in line with the control, so a
// program's change never comes back as the user's.
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include "Factories.h"
#include "QtPeer.h"

namespace orq::qt::detail {

namespace {

class TComboBoxWidget final : public QComboBox, public TControlLink {
 public:
  explicit TComboBoxWidget(QWidget* Parent) : QComboBox(Parent) {}
  ~TComboBoxWidget() override { Unlink(); }

  TComboBox* Combo() const { return static_cast<TComboBox*>(LinkedControl()); }

  void showPopup() override {
    if (TComboBox* combo = Combo()) combo->SetDroppedDown(true);
    QComboBox::showPopup();
  }
  void hidePopup() override {
    QComboBox::hidePopup();
    if (TComboBox* combo = Combo()) combo->SetDroppedDown(false);
  }
};

class TComboBoxPeer final : public TQtPeer {
 public:
  TComboBoxPeer(TComboBox* Combo, TComboBoxWidget* Widget)
      : TQtPeer(Combo, Widget, Widget), FCombo(Combo), FBox(Widget) {
    QObject::connect(Widget, &QComboBox::activated, Widget, [Widget](int index) {
      if (TComboBox* combo = Widget->Combo()) combo->SelectItem(index);
    });
  }

 protected:
  void ShowChange(TPeerChange What) override {
    const QSignalBlocker quiet(FBox);
    switch (What) {
      case pcItems:
        FBox->clear();
        for (const std::string& item : FCombo->Items()->Items()) FBox->addItem(QString::fromStdString(item));
        ShowSelection();
        break;
      case pcItemIndex:
        ShowSelection();
        break;
      case pcStyle:
        SetEditable(FCombo->Style() != csDropDownList);
        ShowSelection();
        break;
      default:
        break;
    }
  }

 private:
  void ShowSelection() {
    FBox->setCurrentIndex(FCombo->ItemIndex());
    if (FBox->isEditable()) FBox->setEditText(QString::fromStdString(FCombo->Text()));
  }

  void SetEditable(bool Editable) {
    if (Editable == FBox->isEditable()) return;
    FBox->setEditable(Editable);
    if (!Editable) return;
    TComboBoxWidget* box = FBox;
    QObject::connect(FBox->lineEdit(), &QLineEdit::textEdited, FBox, [box](const QString& text) {
      if (TComboBox* combo = box->Combo()) combo->EnterText(text.toStdString());
    });
  }

  TComboBox* FCombo;
  TComboBoxWidget* FBox;
};

}  // namespace

std::unique_ptr<TControlPeer> MakeComboBox(TComboBox* ComboBox) {
  auto* widget = new TComboBoxWidget(ParentWidget(ComboBox));
  auto peer = std::make_unique<TComboBoxPeer>(ComboBox, widget);
  peer->ShowAll();
  return peer;
}

}  // namespace orq::qt::detail
