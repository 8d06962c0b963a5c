// A map in a Qt window: a generated map of the Alps with a graticule and a
// landmark, panned with the mouse, the pointer's position in the status bar.
#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <orqcarta/Orq_GeoMap.h>
#include <orqcarta/Orq_QtHost.h>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  orq::qt::Host host;  // from here on, controls get Qt widgets
  QMainWindow window;

  auto* map = new orq::TGeoMap(nullptr);  // owned by its widget from Embed on
  map->SetBounds(0, 0, 800, 600);
  map->CreateEmptyMapInMemory(45.5, 5.5, 48, 16.5, 0.5, 1, 1400, 700, true);
  map->SetShowGraticule(orq::sgLines);
  map->AddLandMark(46.95, 7.45, 540, "Bern", 10, 0x0000C0);
  map->SetAllowPan(true);
  map->SetOnMouseMove([&](orq::TObject*, orq::TShiftState, int x, int y) {
    bool latOk = false, longOk = false;
    const orq::TPoint pixel = map->ControlToMapImage({x, y});
    const double lat = map->CalcLatitude(pixel, latOk), lon = map->CalcLongitude(pixel, longOk);
    if (latOk && longOk) window.statusBar()->showMessage(QString("%1 N  %2 E").arg(lat, 0, 'f', 4).arg(lon, 0, 'f', 4));
  });

  window.setCentralWidget(host.Embed(map));
  window.resize(800, 620);
  window.show();
  map->ZoomFitPage();
  return app.exec();
}
