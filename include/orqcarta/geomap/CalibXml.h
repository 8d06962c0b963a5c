// Calibration blocks: the XML-like text that stores a calibrated map (image
// name, caption, model, corners, resolution, UTM parameters, calibration
// lines and quadruples). One file may hold several blocks, told apart by
// their identifier; an empty identifier selects the first block.
//
// Numbers are written locale-independently ("." and fixed digits) except the
// calibration line values, which follow the current FormatSettings decimal
// separator; the readers accept "." and "," alike there.
//
// The record limits (25 lines, 10 points a line, 4 corners, 200 quadruples)
// hold on reading: entries beyond them are ignored, never stored.
#pragma once

#include <array>
#include <string>

#include "orqcarta/geomap/Records.h"

namespace orq {

class TMemoryStream;
class TStream;
class TTextFile;

// Model names of the "model" attribute, indexed by TCalibModel.
inline const std::array<std::string, cmUndefined + 1> CalibModelNames = {
    "parabolicip", "biquadraticpn", "conicconformal", "millercylindrical", "equirect", "utm", "undefined"};

// The model of a lower-cased model name; cmUndefined for a name not in the
// table. The map reader and ParseCalibData both settle unknown names so.
TCalibModel CalibModelFromName(const std::string& LowerName);
// The ellipsoid of a GeoEllipsoidId entry; gelWGS84 (the ellipsoid of a
// cleared calibration) for an identifier not in the table.
TGeoEllipsoid EllipsoidFromId(const std::string& Id);

// Writes one block at the file's position (open for writing). The XML
// declaration line comes first when WithHeader is set.
void WriteRawCalDataToOpenXMLFile(TTextFile& OutFile, bool WithHeader, const std::string& DataID,
                                  const TCalibData& CalData, TCalibModel Model);
// The stream form of a block: the declaration and the resolution line always,
// no UTM or ellipsoid lines, and the "calquads" element even when empty.
void WriteRawCalDataToStream(TStream* OutStream, const std::string& DataID, const TCalibData& CalData,
                             TCalibModel Model);

// Reads the block DataID into a free record without touching any map.
// Only NumCalLines is reset before reading; every other field keeps what the
// caller put there until an element of the block overwrites it. Lines with
// fewer than 3 points are kept. Model is cmBiquadraticPn when the signature
// line names none. False when the file cannot be opened or holds no such
// block. Raises EOrqGeoMapError ("ParseCalibData: ...") for an invalid line
// type or a point count that disagrees with its "npoints".
bool ParseCalibData(const std::string& FileName, const std::string& DataID, TCalibData& CalData,
                    TCalibModel& Model);
// The same from the stream's position.
bool ParseCalibData(TMemoryStream* InStream, const std::string& DataID, TCalibData& CalData, TCalibModel& Model);

}  // namespace orq
