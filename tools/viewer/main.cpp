// orqcarta-viewer: browse calibrated scanned maps. Without arguments it opens
// a generated demo map.
#include <QApplication>
#include <QCommandLineParser>

#include "ViewerWindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("orqcarta-viewer");
  QApplication::setApplicationVersion(ORQ_VERSION);

  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Shows calibrated maps. A folder opens all calibration files in it as an atlas: in atlas zoom mode a left "
      "click switches to the next finer map at that place, any other click to the next coarser one.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument("maps", "Calibration files (.xml) or folders of them.", "[maps...]");
  const QCommandLineOption landmarks({"l", "landmarks"}, "Show the landmarks of FILE.", "FILE");
  const QCommandLineOption symbols({"s", "symbols"}, "Draw landmarks with the symbols of FILE.", "FILE");
  const QCommandLineOption printView("print-view", "Print a line on standard output after every view change.");
  const QCommandLineOption size("size", "Window size WIDTHxHEIGHT (default 1000x760).", "WxH", "1000x760");
  parser.addOptions({landmarks, symbols, printView, size});
  parser.process(app);

  orq::viewer::TViewerOptions options;
  options.Maps = parser.positionalArguments();
  options.Landmarks = parser.values(landmarks);
  options.Symbols = parser.values(symbols);
  options.PrintView = parser.isSet(printView);

  orq::qt::Host host;
  orq::viewer::TViewerWindow window(host, options);
  const QStringList wh = parser.value(size).split('x');
  if (wh.size() == 2 && wh[0].toInt() > 0 && wh[1].toInt() > 0) window.resize(wh[0].toInt(), wh[1].toInt());
  window.show();
  return QApplication::exec();
}
