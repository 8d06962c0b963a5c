// Landmark blocks: one "landmark" element per landmark, every field in an
// attribute, after a signature line "<gmlandmarks sig="OrqCSuite" ... id=...>".
#pragma once

#include <span>
#include <string>

#include "orqcarta/geomap/Records.h"

namespace orq {

class TTextFile;

// The landmark an attribute text describes. Every field comes from the text;
// a missing attribute gives 0, an empty text, lmCross or no styles.
TLandMark LandMarkFromXmlAttributes(const std::string& Attributes);
// One "landmark" element line. Numbers are written with "." and enough
// digits to read back the same double; the time to the second. Quotes in
// texts become apostrophes and line breaks blanks, since attribute values
// are not escaped and a quote would end the value early.
std::string LandMarkToXmlLine(const TLandMark& LandMark);
// Writes one block (with the XML declaration first when WithHeader is set).
void WriteLandMarkBlock(TTextFile& OutFile, bool WithHeader, const std::string& DataID,
                        std::span<const TLandMark> LandMarks);

}  // namespace orq
