// Cutting a large calibrated scan into an atlas: tiles of the full picture
// and of overview levels at halving resolutions, each tile a picture of its
// own with its own calibration file. One pass over the scan: a JPEG is
// decoded a few rows at a time, each row goes straight into the open tiles
// of its band, and each overview level is averaged from the level above
// two rows at a time, so no more than a few rows of any level are held.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "orqcarta/Orq_GeoMap.h"
#include "tile_writer.h"

namespace orq::cli {

struct TSplitOptions {
  int Tile = 1024;  // largest tile side, pixels
  TTileFormat Format = TTileFormat::Bmp;
  int JpegQuality = 90;
  std::string Stem;  // file names: Stem_L<level>_R<row>_C<column>
};

struct TSplitTile {
  int Level = 0, Row = 0, Column = 0;
  int Left = 0, Top = 0, Width = 0, Height = 0;  // in the level's picture
  std::string Image, Calibration;
};

struct TSplitResult {
  std::vector<TSplitTile> Tiles;
  int Levels = 0;
};

// Splits Image (JPEG by rows; other formats are decoded whole) calibrated
// by Data/Model into Dir, which must exist. Level 0 is the full
// resolution; level k is 2^k times smaller (each pixel the average of the
// 2 x 2 pixels above it, fewer at an odd edge); the last level fits one tile.
// Every tile's calibration is the full set of calibration points, scaled
// to its level and moved by its offset. Progress gets 0..100 by rows.
TSplitResult SplitImage(const std::string& Image, const TCalibData& Data, TCalibModel Model, const std::string& Dir,
                        const TSplitOptions& Options, const std::function<void(int)>& Progress = {});

}  // namespace orq::cli
