// Micro World Data Bank II vector files (*.PNT): records of three
// little-endian int16 — a header, the latitude and the longitude in
// arc-minutes. A header above 1000 starts a new line (its value names the
// line); a header of 1000 or less is the detail level of a point, 1 the
// finest, 5 the coarsest.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "orqcarta/Orq_GeoDB.h"

namespace orq::cli {

struct TPntLine {
  int Header = 0;  // the value of the line's first record
  std::vector<TSCoords> Points;
};

struct TPntContents {
  std::vector<TPntLine> Lines;
  long Records = 0;       // records read
  long DroppedPoints = 0; // below the detail level asked for
  long ShortLines = 0;    // lines left with fewer than two points, not kept
  int AntimeridianSplits = 0;
};

// Reads the whole file (they are small: the largest is 350 kB). Points of
// detail level below MinLevel are left out; a line's first point is always
// kept. A line that crosses the antimeridian (two successive points more
// than 180 degrees of longitude apart) is cut there into two lines, each
// ended on +-180 at the interpolated latitude. Progress gets 0..100 by
// records. Throws std::runtime_error for a file that cannot be read, and
// EInputError naming the record for a size that is not a whole number of
// records or a position outside +-90 / +-180 degrees.
TPntContents ReadPntFile(const std::string& File, int MinLevel, const std::function<void(int)>& Progress = {});

// The same from bytes in memory.
TPntContents ParsePnt(const uint8_t* Data, std::size_t Size, int MinLevel,
                      const std::function<void(int)>& Progress = {});

}  // namespace orq::cli
