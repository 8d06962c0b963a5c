// The element reader behind both calibration readers (into a map, into a
// free record). Internal to the files module.
#pragma once

#include <functional>
#include <string>

#include "XmlText.h"
#include "orqcarta/geomap/Records.h"

namespace orq {

class TStream;
class TTextFile;

// Reads the next tag as the tag reader does; returns its index in GeoMapXmlTags.
using TXmlTagSource = std::function<int(std::string& Attributes, std::string& Content)>;
TXmlTagSource TextFileTags(TTextFile& F);
TXmlTagSource StreamTags(TStream* Stream);

// Builds the message of a reading error from its tail ("invalid type ...").
using TCalibErrorText = std::function<std::string(const std::string& Tail)>;

// Reads the elements of a calibration block up to "/geomap" or the end of the
// input. DropShortLines removes lines of fewer than 3 points again (the map
// reader does, ParseCalibData does not). Raises EOrqGeoMapError with the
// message ErrorText builds; the record then holds what was read before, with
// its counts never beyond what it stores.
void ReadCalibElements(const TXmlTagSource& NextTag, TCalibData& CalData, bool DropShortLines,
                       const TCalibErrorText& ErrorText);

}  // namespace orq
