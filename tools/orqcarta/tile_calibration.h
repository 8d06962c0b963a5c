// Calibration blocks for pictures cut or scaled out of a calibrated map:
// every calibration pixel position follows the picture, as ResizeMap moves
// them, and the block is written with the corners and resolution the map
// control derives for the new picture's size.
#pragma once

#include <iosfwd>
#include <string>

#include "orqcarta/Orq_GeoMap.h"

namespace orq::cli {

// The block read from File (Id empty: the first); false when there is none.
// Throws EOrqError for a malformed block.
bool ReadCalibration(const std::string& File, const std::string& Id, TCalibData& Data, TCalibModel& Model);
// The same for a command: a missing or malformed block is reported on Err
// in Command's name and gives false.
bool ReadCalibrationOrReport(const std::string& File, const std::string& Id, TCalibData& Data, TCalibModel& Model,
                             const std::string& Command, std::ostream& Err);

// Data with each calibration pixel scaled by Factor (rounded half to even,
// as ResizeMap does), then moved by -OffsetX, -OffsetY: the calibration of
// the part of the scaled picture whose top-left pixel is (OffsetX, OffsetY).
TCalibData MovedCalibration(const TCalibData& Data, double Factor, int OffsetX, int OffsetY);

// Writes Data as the only block of XmlFile (identifier the file's stem,
// caption Caption,
// map file ImageFile as an absolute path, since the map control opens it as
// given), with the corners and resolution fitted for a Width x Height
// picture. Throws on a file that cannot be written.
void WriteCalibration(const std::string& XmlFile, TCalibData Data, TCalibModel Model, int Width, int Height,
                      const std::string& ImageFile, const std::string& Caption);

}  // namespace orq::cli

namespace orq::cli {

// An equirectangular calibration of a Width x Height picture whose edges lie
// on the given latitudes and longitudes (degrees): nine quadruples at the
// corners, the middles of the edges and the centre.
TCalibData PlateCarreeCalibration(int Width, int Height, double LatTop, double LatBottom, double LongLeft,
                                  double LongRight);

// The largest factor (at most 1) whose rounded Width x Height stays within
// MaxPixels, and the rounded size.
double FitFactor(int Width, int Height, long long MaxPixels, int& NewWidth, int& NewHeight);

}  // namespace orq::cli
