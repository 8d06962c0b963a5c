// The viewer's main window.
#include "ViewerWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <algorithm>
#include <cstdio>

#include "PointerReadout.h"
#include "orqplatform/Exceptions.h"
#include "orqplatform/PictureFiles.h"

namespace orq::viewer {

namespace {

// Mouse modes of the Mouse menu; maAtlasZoom is the atlas's zoom button.
constexpr int maAtlasZoom = -1;
struct TModeEntry {
  const char* Text;
  int Mode;
  const char* Shortcut;
};
constexpr TModeEntry kModes[] = {
    {"&Pan", maPan, "P"},
    {"Zoom &window", maZoomWind, "W"},
    {"Zoom &drag", maZoomDrag, "D"},
    {"&Select rectangle", maSelectRect, "S"},
    {"&Rubber band", maRubberBand, "R"},
    {"&Trace", maDrawTrace, "T"},
    {"&Atlas zoom", maAtlasZoom, "A"},
};

constexpr double kWheelStep = 1.25;  // magnification factor of one wheel notch

}  // namespace

TViewerWindow::TViewerWindow(orq::qt::Host& Host, const TViewerOptions& Options)
    : FAtlas(new TGeoAtlas(nullptr)), FPrintView(Options.PrintView) {
  setWindowTitle("orqcarta viewer");
  FAtlas->SetBounds(0, 0, 1000, 700);
  FAtlas->SetCmdPanelVisible(false);  // shown once there is more than one map
  setCentralWidget(Host.Embed(FAtlas));
  BuildMenus();
  BuildStatusBar();
  HookMap();
  for (const QString& path : Options.Maps) OpenMaps(path, true);
  if (FAtlas->NumRegMaps() == 0) OpenDemoMap();
  for (const QString& file : Options.Symbols) OpenSymbols(file, true);
  for (const QString& file : Options.Landmarks) OpenLandmarks(file, true);
  ViewChanged();
}

TViewerWindow::~TViewerWindow() {
  if (!FDemoFolder.isEmpty()) QDir(FDemoFolder).removeRecursively();
}

void TViewerWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  file->addAction("&Open calibration file...", QKeySequence::Open, [this] {
    const QString name = QFileDialog::getOpenFileName(this, "Open calibration file", {}, "Calibration (*.xml)");
    if (!name.isEmpty()) OpenMaps(name);
  });
  file->addAction("Open &folder of maps...", [this] {
    const QString dir = QFileDialog::getExistingDirectory(this, "Open a folder of calibrated maps");
    if (!dir.isEmpty()) OpenMaps(dir);
  });
  file->addAction("Open &landmarks...", [this] {
    const QString name = QFileDialog::getOpenFileName(this, "Open landmarks", {}, "Landmarks (*.xml)");
    if (!name.isEmpty()) OpenLandmarks(name);
  });
  file->addAction("Open s&ymbols...", [this] {
    const QString name = QFileDialog::getOpenFileName(this, "Open symbols", {}, "Symbols (*.xml)");
    if (!name.isEmpty()) OpenSymbols(name);
  });
  file->addSeparator();
  file->addAction("&Export view as PNG...", QKeySequence("Ctrl+E"), [this] { ExportPicture(); });
  file->addAction("&Copy view", QKeySequence::Copy, [this] { CopyPicture(); });
  file->addSeparator();
  file->addAction("&Quit", QKeySequence::Quit, qApp, &QApplication::quit);

  QMenu* view = menuBar()->addMenu("&View");
  view->addAction("&Fit page", QKeySequence("Ctrl+0"), [this] {
    Map()->ZoomFitPage();
    Map()->ZoomStateOnStack();
    ViewChanged();
  });
  view->addAction("Zoom &in", QKeySequence::ZoomIn, [this] {
    ZoomAbout(TPoint{Map()->Width() / 2, Map()->Height() / 2}, kWheelStep);
  });
  view->addAction("Zoom &out", QKeySequence::ZoomOut, [this] {
    ZoomAbout(TPoint{Map()->Width() / 2, Map()->Height() / 2}, 1 / kWheelStep);
  });
  view->addAction("&Back", QKeySequence::Back, [this] { StepHistory(-1); });
  view->addAction("F&orward", QKeySequence::Forward, [this] { StepHistory(+1); });
  view->addSeparator();
  FGrids = new QActionGroup(this);
  for (auto [text, grid] :
       {std::pair{"&No grid", sgNone}, std::pair{"&Graticule", sgLines}, std::pair{"&UTM grid", sgUTMGrid}}) {
    QAction* action = view->addAction(text, [this, grid = grid] { SetGrid(grid); });
    action->setCheckable(true);
    action->setData(static_cast<int>(grid));
    FGrids->addAction(action);
  }
  FGrids->actions().first()->setChecked(true);
  view->addAction("Grid &spacing...", [this] { AskGridSpacing(); });

  QMenu* mouse = menuBar()->addMenu("&Mouse");
  FModes = new QActionGroup(this);
  for (const TModeEntry& entry : kModes) {
    QAction* action = mouse->addAction(entry.Text, [this, mode = entry.Mode] { SetMouseMode(mode); });
    action->setShortcut(QKeySequence(entry.Shortcut));
    action->setCheckable(true);
    action->setData(entry.Mode);
    FModes->addAction(action);
  }
  FModes->actions().first()->setChecked(true);
}

void TViewerWindow::BuildStatusBar() {
  FPosition = new QLabel(this);
  FScale = new QLabel(this);
  FProgress = new QProgressBar(this);
  FProgress->setRange(0, 100);
  FProgress->setMaximumWidth(160);
  FProgress->hide();
  statusBar()->addWidget(FPosition, 1);
  statusBar()->addPermanentWidget(FProgress);
  statusBar()->addPermanentWidget(FScale);
}

void TViewerWindow::HookMap() {
  TGeoMap* map = Map();
  map->SetAllowPan(true);
  map->SetOnZoomPan([this](TObject*) {
    FHistoryPos = 0;  // a new viewport ends what Forward could return to
    ViewChanged();
  });
  map->SetOnMouseWheel([this](TObject*, TShiftState, int Delta, TPoint At, bool& Handled) {
    ZoomAbout(At, Delta > 0 ? kWheelStep : 1 / kWheelStep);
    Handled = true;
  });
  map->SetOnDataLoading([this](TObject*, TProgressStage Stage, uint8_t Percent, bool, const TRect&,
                               const std::string&) { ShowLoading(Stage, Percent); });
  FAtlas->SetOnMouseMove([this](TObject*, TShiftState, int X, int Y) { ShowPointer(X, Y); });
  FAtlas->SetOnMouseUp([this](TObject*, TMouseButton, TShiftState, int, int) { ViewChanged(); });
  FAtlas->SetOnCBoxMapsChange([this](TObject*) { ViewChanged(); });
}

bool TViewerWindow::OpenMaps(const QString& Path, bool Quiet) {
  QStringList files;
  const QFileInfo info(Path);
  if (info.isDir()) {
    for (const QFileInfo& entry : QDir(Path).entryInfoList({"*.xml", "*.XML"}, QDir::Files, QDir::Name))
      files << entry.filePath();
  } else {
    files << Path;
  }
  const int before = FAtlas->NumRegMaps();
  QStringList failed;
  for (const QString& file : files) {
    try {
      if (!FAtlas->RegisterMap(file.toStdString())) failed << file;
    } catch (const std::exception& e) {
      failed << file + ": " + e.what();
    }
  }
  const int added = FAtlas->NumRegMaps() - before;
  if (!failed.isEmpty() && (added == 0 || !info.isDir()))
    Complain("No calibration data in:\n" + failed.join("\n"), Quiet);
  if (added == 0) return false;
  // Start with the coarsest map: zoom clicks lead to the finer ones.
  int coarsest = before + 1;
  for (int i = before + 1; i <= FAtlas->NumRegMaps(); ++i)
    if (FAtlas->GetMapDef(i).Resolution > FAtlas->GetMapDef(coarsest).Resolution) coarsest = i;
  FAtlas->SelectMap(coarsest);
  FAtlas->SetCmdPanelVisible(FAtlas->NumRegMaps() > 1);
  Map()->ZoomFitPage();
  Map()->ClearZoomHistory();
  FHistoryPos = 0;
  ViewChanged();
  return true;
}

bool TViewerWindow::OpenLandmarks(const QString& File, bool Quiet) {
  try {
    if (Map()->LoadLandMarks(File.toStdString(), "")) {
      if (FSymbols) ApplySymbolPalette(*Map(), *FSymbols);
      return true;
    }
    Complain("No landmarks in " + File, Quiet);
  } catch (const std::exception& e) {
    Complain(QString("Cannot read landmarks from %1: %2").arg(File, e.what()), Quiet);
  }
  return false;
}

bool TViewerWindow::OpenSymbols(const QString& File, bool Quiet) {
  auto symbols = std::make_unique<TSymbolRepository>();
  try {
    if (symbols->LoadFromFile(File.toStdString(), "")) {
      FSymbols = std::move(symbols);
      ApplySymbolPalette(*Map(), *FSymbols);
      return true;
    }
    Complain("No symbols in " + File, Quiet);
  } catch (const std::exception& e) {
    Complain(QString("Cannot read symbols from %1: %2").arg(File, e.what()), Quiet);
  }
  return false;
}

void TViewerWindow::OpenDemoMap() {
  // A generated map of Europe with the capitals, written where temporary
  // files go (the atlas loads maps from files).
  FDemoFolder = QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
                    .filePath(QString("orqcarta-viewer-%1").arg(QCoreApplication::applicationPid()));
  QDir().mkpath(FDemoFolder);
  const std::string base = QDir(FDemoFolder).filePath("demo").toStdString();
  {
    TGeoMap generator;
    generator.SetSuppressPaint(true);
    generator.CreateAndLoadEmptyMap(base, 34, -25, 72, 45, 5, 5, 1200, 900);
    generator.SetCaption("Generated map: Europe");
    generator.SaveCalDataAsXML(base + ".xml", "demo");
  }
  if (!OpenMaps(QString::fromStdString(base + ".xml"), true)) return;
  for (const TCountryData& country : CountryData) {
    if (country.Capital.empty() || country.CapLat < 34 || country.CapLat > 72 || country.CapLong < -25 ||
        country.CapLong > 45)
      continue;
    Map()->AddLandMark(country.CapLat, country.CapLong, country.CapAlt, std::string(country.Capital), 8, 0x000080);
  }
}

void TViewerWindow::showEvent(QShowEvent* Event) {
  QMainWindow::showEvent(Event);
  if (FShown) return;
  // The first fit happens at the size the window really has.
  FShown = true;
  QCoreApplication::processEvents();
  Map()->ZoomFitPage();
  Map()->ClearZoomHistory();
  ViewChanged();
}

void TViewerWindow::SetMouseMode(int Mode) {
  if (Mode == maAtlasZoom) {
    if (!FAtlas->ZoomButton()->Down()) FAtlas->ZoomButton()->Click();
    return;
  }
  if (FAtlas->ZoomButton()->Down()) FAtlas->PointerButton()->Click();
  Map()->SetMouseAction(static_cast<TMouseActMode>(Mode));
}

void TViewerWindow::SetGrid(TShowGrat Grid) { Map()->SetShowGraticule(Grid); }

void TViewerWindow::AskGridSpacing() {
  bool ok = false;
  if (Map()->ShowGraticule() == sgUTMGrid) {
    const int metres = QInputDialog::getInt(this, "UTM grid", "Spacing in metres (0: automatic)", Map()->UTMGridDist(),
                                            0, TGeoMap::MaxUTMGridDist, 100, &ok);
    if (ok) Map()->SetUTMGridDist(metres);
  } else {
    const double degrees = QInputDialog::getDouble(this, "Graticule", "Spacing in degrees (0: automatic)",
                                                   Map()->GratLineDist(), 0, 60, 4, &ok);
    if (ok) Map()->SetGratLineDist(degrees);
  }
}

void TViewerWindow::StepHistory(int Step) {
  const int target = std::clamp(FHistoryPos + Step, 1 - TGeoMap::ZoomStackSize, 0);
  if (target == FHistoryPos || Map()->GetZoomStackEntry(target).IsEmpty()) return;
  FHistoryPos = target;
  Map()->ZoomHistory(target);
  ViewChanged();
}

void TViewerWindow::ZoomAbout(TPoint ControlPoint, double Factor) {
  TGeoMap* map = Map();
  const double old = map->Magnification();
  const double next = std::clamp(old * Factor, TGeoMap::MinMagnification, TGeoMap::MaxMagnification);
  if (next == old) return;
  // The image pixel under the pointer stays under it.
  const double imageX = map->TopLeft().X + ControlPoint.X / old, imageY = map->TopLeft().Y + ControlPoint.Y / old;
  map->SetSuppressPaint(true);
  map->SetMagnification(next);
  map->SetTopLeft(TPoint{static_cast<int>(std::lround(imageX - ControlPoint.X / next)),
                         static_cast<int>(std::lround(imageY - ControlPoint.Y / next))});
  map->SetSuppressPaint(false);
  map->ZoomStateOnStack();
  FHistoryPos = 0;
  ViewChanged();
}

void TViewerWindow::ExportPicture() {
  const QString name = QFileDialog::getSaveFileName(this, "Export view", "view.png", "PNG (*.png)");
  if (name.isEmpty()) return;
  TGeoMap* map = Map();
  TBitmap picture;
  try {
    map->CopyToBMP(&picture, map->TopLeft(), map->Magnification(), 0, 0, map->Width(), map->Height());
    SavePictureFile(picture, name.toStdString());
    statusBar()->showMessage("Saved " + name, 5000);
  } catch (const std::exception& e) {
    Complain(QString("Cannot save %1: %2").arg(name, e.what()), false);
  }
}

void TViewerWindow::CopyPicture() {
  Map()->CopyToClipboard();  // the host puts it on the system clipboard
  statusBar()->showMessage("View copied to the clipboard", 3000);
}

void TViewerWindow::ShowPointer(int X, int Y) {
  TGeoMap* map = Map();
  const TPoint image = map->ControlToMapImage(TPoint{X, Y});
  bool validLat = false, validLong = false;
  const double lat = map->CalcLatitude(image, validLat), lon = map->CalcLongitude(image, validLong);
  if (!validLat || !validLong) {
    FPosition->clear();
    return;
  }
  FPosition->setText(QString::fromStdString(PositionText(lat, lon, map->CalibData().Ellipsoid)));
}

void TViewerWindow::ViewChanged() {
  TGeoMap* map = Map();
  const double resolution = map->CalibData().Resolution;
  QString scale = QString("magnification %1").arg(map->Magnification(), 0, 'g', 4);
  if (resolution > 0) scale += QString("   %1 m/pixel").arg(resolution, 0, 'f', resolution < 10 ? 2 : 0);
  FScale->setText(scale);
  if (!FPrintView) return;
  // Where the map's top-left pixel is on the screen and what the map list
  // shows, for scripts that drive the viewer from outside.
  QPoint origin;
  if (QWidget* widget = orq::qt::WidgetOf(map)) origin = widget->mapToGlobal(QPoint(0, 0));
  QString selector;
  if (auto* box = qobject_cast<QComboBox*>(orq::qt::WidgetOf(FAtlas->MapSelector()))) selector = box->currentText();
  std::printf("view map=\"%s\" selector=\"%s\" left=%d top=%d magnification=%.6g origin=%d,%d\n",
              map->Caption().c_str(), selector.toStdString().c_str(), map->TopLeft().X, map->TopLeft().Y,
              map->Magnification(), origin.x(), origin.y());
  std::fflush(stdout);
}

void TViewerWindow::ShowLoading(TProgressStage Stage, int Percent) {
  FProgress->setVisible(Stage != psEnding);
  FProgress->setValue(Percent);
  if (Stage != psEnding) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TViewerWindow::Complain(const QString& Text, bool Quiet) {
  std::fprintf(stderr, "orqcarta-viewer: %s\n", Text.toLocal8Bit().constData());
  if (!Quiet) QMessageBox::warning(this, "orqcarta viewer", Text);
}

}  // namespace orq::viewer
