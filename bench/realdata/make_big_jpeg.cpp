// Writes a synthetic scan of W x H pixels, row by row, so that making it
// needs no more memory than splitting it should:
//
//   make_big_jpeg OUT.jpg [WIDTH HEIGHT]     (default 30000 x 20000)
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "orqplatform/ImageCodecs.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_big_jpeg OUT.jpg [WIDTH HEIGHT]\n");
    return 2;
  }
  const int w = argc > 3 ? std::atoi(argv[2]) : 30000, h = argc > 3 ? std::atoi(argv[3]) : 20000;
  orq::TJpegWriteOptions options;
  options.Quality = 80;
  orq::TJpegRowWriter writer(argv[1], w, h, options);
  std::vector<orq::TColor> row(static_cast<std::size_t>(w));
  for (int y = 0; y < h; ++y) {
    // Smooth gradients with a grid every 500 pixels: compresses well, and a
    // misplaced tile shows.
    for (int x = 0; x < w; ++x)
      row[static_cast<std::size_t>(x)] = (x % 500 == 0 || y % 500 == 0)
                                             ? 0
                                             : static_cast<orq::TColor>(x * 255 / w) |
                                                   static_cast<orq::TColor>(y * 255 / h) << 8 |
                                                   static_cast<orq::TColor>((x + y) / 64 % 256) << 16;
    writer.WriteRow(row.data());
  }
  writer.Close();
  std::printf("%s: %d x %d\n", argv[1], w, h);
  return 0;
}
