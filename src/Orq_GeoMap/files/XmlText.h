// Text conventions shared by the map's XML-like files (calibration blocks,
// landmark blocks, symbol repositories): the tag list, the line search that
// finds a block by its identifier, and the small scanners that read numbers
// and attributes. Positions are 1-based, as the readers count them.
//
// The formats are line-oriented: a block is found by scanning whole lines for
// its opening line, whose attributes must stand on that one line; the
// elements inside are read by the tag reader (orqbase/TagReader.h).
#pragma once

#include <array>
#include <functional>
#include <string>

namespace orq {

class TStream;
class TTextFile;

// Indexes into GeoMapXmlTags, as the tag reader returns them.
enum TGeoMapXmlTag : int {
  xtGeoMap,         // opening tag of a calibration block (found by the line search)
  xtGeoMapEnd,      // ends the reading of every block kind
  xtCalLine,
  xtCorners,
  xtResolution,
  xtLandmarks,      // opening tag of a landmark block
  xtLandmarksEnd,   // read and ignored
  xtLandmark,
  xtCalQuads,
  xtSymbols,        // opening tag of a symbol block
  xtSymbolsEnd,     // read and ignored
  xtSymbol,
  xtUTMZone,
  xtUTMSouth,
  xtEllipsoid,
  xtInvalidTag,     // the last entry; the tag reader returns it at the end of input
};
inline constexpr int GeoMapXmlTagHigh = xtInvalidTag;
inline const std::array<std::string, GeoMapXmlTagHigh + 1> GeoMapXmlTags = {
    "geomap",    "/geomap",    "calline",     "corners", "resolution", "gmlandmarks", "/gmlandmarks", "landmark",
    "calquads",  "lmsymbols",  "/lmsymbols",  "symbol",  "utmzone",    "utmsouth",    "ellipsoid",    "invalidtag"};

// Removes blanks (" " only, not tabs) from both ends.
std::string XmlTrim(const std::string& Text);
// ASCII lower case; other bytes (UTF-8 sequences) stay, so byte positions in
// the result are those of the original.
std::string XmlLowerCase(std::string Text);

// Position of the Count-th occurrence of SearchText in Text at or after
// Start (values below 1 count as 1), each search going on after the end of
// the previous occurrence; 0 when there are fewer. With IgnoreCase both texts
// are compared in lower case. Started at an attribute name with Count 2 and
// the quote as SearchText, it finds the quote that closes the value.
int ClosingQuotePos(const std::string& SearchText, const std::string& Text, int Start, bool IgnoreCase, int Count);

// Skips blanks (never past the last character), takes one optional sign and
// the decimal digits after it; Position rests on the first character that is
// not a digit. A value beyond 32 bits saturates. An empty text, or a position
// beyond its end, gives 0 with Position unchanged.
int ScanXmlInteger(const std::string& Text, int& Position);

// Decimal separators the decimal scanner accepts.
enum TDecimalMode : int { dmPoint = 1, dmComma = 2, dmPointOrComma = 3 };

// Reads a decimal number at Position with a small state machine (blanks
// before it, optional sign, digits, separator, fraction, and with
// AllowExponent an "E" exponent). Position rests on the character that ended
// or rejected the number. Rejected text gives 0; an exponent beyond 4200 in
// magnitude is not collected further, and the result is clamped to the
// finite double range, so no text yields an infinity or a NaN.
double ScanXmlDecimal(const std::string& Text, bool AllowExponent, int DecimalMode, int& Position);

// The value of the first name=value pair of an attribute text whose name
// (trimmed, any case) equals Name; empty when there is none or the text has a
// syntax error before it. Values may be quoted ("..." keeps blanks and "=")
// or unquoted (ended by a blank); they are returned as they stand.
std::string GetXmlAttribute(const std::string& Attributes, const std::string& Name);

// Reads one line from the stream's position, byte by byte, each byte taken
// as a Windows-1252 character (returned in UTF-8). A line ending in LF loses
// up to two trailing CR/LF characters, so LF and CR LF read alike. Returns
// false when the stream ran out before a LF (Line holds what was read).
bool ReadLineFromStream(TStream* Stream, std::string& Line);

// "TRUE" or "FALSE".
std::string BoolToXmlText(bool Value);

// Delivers the next line; returns false when no line follows this one (the
// line given back is still examined).
using TXmlLineSource = std::function<bool(std::string& Line)>;
TXmlLineSource TextFileLines(TTextFile& F);
TXmlLineSource StreamLines(TStream* Stream);

// Called for every signature line met, matching or not, with the line as read
// and lower-cased.
using TSignatureLineEvent = std::function<void(const std::string& Line, const std::string& LowerLine)>;

// Reads lines until one contains "<" + BlockTag and "orqcsuite" (any case)
// and, when DataID is not empty, carries id="..." equal to DataID without
// regard to case and to blanks around the file's identifier. False when the
// lines run out first.
bool FindSignatureLine(const TXmlLineSource& NextLine, const std::string& BlockTag, const std::string& DataID,
                       const TSignatureLineEvent& OnSignatureLine = {});

// The trimmed value of an attribute of a signature line: positions are found
// in LowerLine (so AttrName is given in lower case, with its '="'), the
// characters are taken from Line. Empty when the attribute is missing or its
// value has no closing quote.
std::string SignatureAttribute(const std::string& Line, const std::string& LowerLine, const std::string& AttrName);

}  // namespace orq
