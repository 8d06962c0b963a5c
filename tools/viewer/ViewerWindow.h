// The viewer's main window: an atlas of the user's maps with menus for
// files, mouse modes, grids and the zoom history, and a status bar with the
// pointer's position, the magnification and the map's resolution.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <memory>

#include "orqcarta/Orq_GeoAtlas.h"
#include "orqcarta/Orq_QtHost.h"

class QActionGroup;
class QLabel;
class QProgressBar;

namespace orq::viewer {

struct TViewerOptions {
  QStringList Maps;        // calibration files and folders of them
  QStringList Landmarks;   // landmark files
  QStringList Symbols;     // symbol files (the palette landmark tags refer to)
  bool PrintView = false;  // a line on standard output after every view change
};

class TViewerWindow final : public QMainWindow {
 public:
  TViewerWindow(orq::qt::Host& Host, const TViewerOptions& Options);
  // Removes the generated demo map's folder.
  ~TViewerWindow() override;

  TGeoAtlas* Atlas() const { return FAtlas; }
  TGeoMap* Map() const { return FAtlas->CurrentMap(); }

  // Each returns false (and says why in a message box unless Quiet) when
  // the file gives nothing.
  bool OpenMaps(const QString& Path, bool Quiet = false);
  bool OpenLandmarks(const QString& File, bool Quiet = false);
  bool OpenSymbols(const QString& File, bool Quiet = false);
  void OpenDemoMap();

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildMenus();
  void BuildStatusBar();
  void HookMap();
  void SetMouseMode(int Mode);
  void SetGrid(TShowGrat Grid);
  void AskGridSpacing();
  void StepHistory(int Step);
  void ZoomAbout(TPoint ControlPoint, double Factor);
  void ExportPicture();
  void CopyPicture();
  void ShowPointer(int X, int Y);
  void ViewChanged();
  void ShowLoading(TProgressStage Stage, int Percent);
  void Complain(const QString& Text, bool Quiet);

  TGeoAtlas* FAtlas;
  QActionGroup* FModes = nullptr;
  QActionGroup* FGrids = nullptr;
  QLabel* FPosition = nullptr;
  QLabel* FScale = nullptr;
  QProgressBar* FProgress = nullptr;
  std::unique_ptr<TSymbolRepository> FSymbols;
  QString FDemoFolder;
  int FHistoryPos = 0;  // 0: the latest viewport; -1 .. -15 after Back
  bool FPrintView;
  bool FShown = false;
};

}  // namespace orq::viewer
