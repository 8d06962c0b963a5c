// A map client that includes nothing but the map's public header: the
// user guide's example on a generated map, written to the file named first.
#include <orqcarta/Orq_GeoMap.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  orq::TGeoMap map;
  map.SetBounds(0, 0, 800, 600);
  map.SetFrameStyle(orq::frNone);
  map.CreateEmptyMapInMemory(40, 0, 50, 20, 2, 2, 1000, 500, true);
  map.AddLandMark(48.2, 16.37, 0, "Vienna", 8, 0);
  map.SetShowGraticule(orq::sgLines);
  map.ZoomFitPage();
  map.Paint();
  orq::SavePictureFile(*map.AuxBmp(), argv[1], map.Width(), map.Height());
  std::printf("%dx%d %.1f\n", map.Width(), map.Height(), map.Magnification());
  return 0;
}
