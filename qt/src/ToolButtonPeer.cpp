// TSpeedButton as a flat checkable QToolButton. The speed button keeps its
// group's rule (at most one down, AllowAllUp); the tool buttons of a group
// share an exclusive QButtonGroup only while the rule forbids all up, and
// their checked state is always the control's Down.
#include <QButtonGroup>
#include <QIcon>
#include <QPixmap>
#include <QSignalBlocker>
#include <QToolButton>

#include "Factories.h"
#include "QtPeer.h"
#include "orqcarta/Orq_QtHost.h"

namespace orq::qt::detail {

namespace {

class TToolButtonWidget final : public QToolButton, public TControlLink {
 public:
  explicit TToolButtonWidget(QWidget* Parent) : QToolButton(Parent) {}
  ~TToolButtonWidget() override { Unlink(); }
  TSpeedButton* Button() const { return static_cast<TSpeedButton*>(LinkedControl()); }
};

// Image Index of a glyph that holds Count images side by side; its
// bottom-left pixel's colour is transparent, as the button draws it.
QPixmap GlyphImage(const TBitmap& Glyph, int Count, int Index) {
  const int width = Glyph.Width() / Count, height = Glyph.Height();
  if (width <= 0 || height <= 0) return QPixmap();
  QImage image = ToQImage(Glyph).copy(Index * width, 0, width, height).convertToFormat(QImage::Format_ARGB32);
  const QRgb transparent = image.pixel(0, height - 1);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x)
      if (row[x] == transparent) row[x] = 0;
  }
  return QPixmap::fromImage(image);
}

// The button group of Parent's widget for a group index, made on first use.
QButtonGroup* GroupFor(QWidget* Parent, int GroupIndex) {
  const QString name = QStringLiteral("orq-button-group-%1").arg(GroupIndex);
  if (auto* group = Parent->findChild<QButtonGroup*>(name, Qt::FindDirectChildrenOnly)) return group;
  auto* group = new QButtonGroup(Parent);
  group->setObjectName(name);
  return group;
}

class TToolButtonPeer final : public TQtPeer {
 public:
  TToolButtonPeer(TSpeedButton* Button, TToolButtonWidget* Widget)
      : TQtPeer(Button, Widget, Widget), FButton(Button), FTool(Widget) {
    FTool->setCheckable(true);
    FTool->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The control decides what a click does to the group; the widget
    // then shows the control's Down again.
    QObject::connect(Widget, &QToolButton::clicked, Widget, [Widget] {
      if (TSpeedButton* button = Widget->Button()) button->Click();
      if (TSpeedButton* button = Widget->Button()) {
        const QSignalBlocker quiet(Widget);
        Widget->setChecked(button->Down());
      }
    });
  }
  ~TToolButtonPeer() override { LeaveGroup(); }

 protected:
  void ShowChange(TPeerChange What) override {
    if (What != pcStyle && What != pcCaption && What != pcEnabled) return;
    FTool->setAutoRaise(FButton->Flat());
    FTool->setText(QString::fromStdString(FButton->Caption()));
    ShowGlyph();
    JoinGroup();
    const QSignalBlocker quiet(FTool);
    FTool->setChecked(FButton->Down());
  }

 private:
  void ShowGlyph() {
    const TBitmap* glyph = FButton->Glyph();
    if (glyph == nullptr || glyph->Empty()) {
      FTool->setIcon(QIcon());
      return;
    }
    const int count = FButton->NumGlyphs();
    QIcon icon;
    icon.addPixmap(GlyphImage(*glyph, count, 0), QIcon::Normal, QIcon::Off);
    if (count >= 2) icon.addPixmap(GlyphImage(*glyph, count, 1), QIcon::Disabled);
    if (count >= 3) icon.addPixmap(GlyphImage(*glyph, count, 2), QIcon::Active);
    if (count >= 4) icon.addPixmap(GlyphImage(*glyph, count, 3), QIcon::Normal, QIcon::On);
    FTool->setIcon(icon);
    FTool->setIconSize(QSize(glyph->Width() / count, glyph->Height()));
  }

  void JoinGroup() {
    QWidget* parent = FTool->parentWidget();
    const bool exclusive = FButton->GroupIndex() != 0 && !FButton->AllowAllUp() && parent != nullptr;
    QButtonGroup* wanted = exclusive ? GroupFor(parent, FButton->GroupIndex()) : nullptr;
    if (wanted == FGroup) return;
    LeaveGroup();
    if (wanted) wanted->addButton(FTool);
    FGroup = wanted;
  }

  void LeaveGroup() {
    if (FGroup && Widget()) FGroup->removeButton(FTool);  // Widget(): null once Qt freed the button
    FGroup = nullptr;
  }

  TSpeedButton* FButton;
  TToolButtonWidget* FTool;
  QPointer<QButtonGroup> FGroup;
};

}  // namespace

std::unique_ptr<TControlPeer> MakeToolButton(TSpeedButton* Button) {
  auto* widget = new TToolButtonWidget(ParentWidget(Button));
  auto peer = std::make_unique<TToolButtonPeer>(Button, widget);
  peer->ShowAll();
  return peer;
}

}  // namespace orq::qt::detail
