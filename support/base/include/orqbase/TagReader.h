// The tag reader of the XML-like file formats.
//
// ReadNextTagInTextFile and ReadNextTagInStream read on from the current
// position to the next tag named in Tags[0..HighIx] and return its index.
// The formats are only XML-like, so the reader is forgiving:
//
//  - comments "<!-- ... -->", declarations "<!...>" and processing
//    instructions "<?...?>" are skipped;
//  - text outside tags is ignored;
//  - tag names compare without regard to ASCII case; an end tag is found by
//    its list entry with the leading "/" ("/geomap");
//  - a tag whose name is not in the list is skipped and reading goes on;
//  - Attributes is the text of the start tag after the name, trimmed of
//    blanks; line breaks, tabs and CRs outside quoted values become blanks,
//    and a ">" inside a quoted value does not end the tag;
//  - a self-closing tag "<x ... />" gives empty Content and Attributes
//    without the "/"; so does an end tag;
//  - otherwise Content is the text after the start tag up to the next tag,
//    and may span lines: each line end (LF or CR LF) becomes one "\n". When
//    that next tag is the element's own end tag "</x>" (any case, blanks
//    before ">"), it is consumed with the element; any other tag ends the
//    content and is read by the next call (a comment inside the content is
//    dropped and the content goes on). So an element
//    "<x>...</x>" is read whole, while a block's opening tag, whose end tag
//    comes only after the elements, gives the text up to its first element
//    and does not swallow them;
//  - a start tag with no tag after it gives the rest of the text as Content;
//  - at the end of the text (also inside an unfinished tag or comment) the
//    result is HighIx with Attributes and Content empty.
//
// The reader stops right after the ">" of the last tag it read, so a line
// reader (TTextFile::ReadLn, or the stream's own position) continues there.
// Text files and streams are Windows-1252 bytes; the texts returned are UTF-8.
#pragma once

#include <span>
#include <string>

#include "orqplatform/Streams.h"
#include "orqplatform/TextFile.h"

namespace orq {

// F must be open for reading. Tags may hold more entries than HighIx + 1;
// only Tags[0..HighIx] are looked for.
int ReadNextTagInTextFile(TTextFile& F, std::span<const std::string> Tags, int HighIx, std::string& Attributes,
                          std::string& Content);
// Reads Stream from its position; leaves the position after the last tag.
int ReadNextTagInStream(TStream* Stream, std::span<const std::string> Tags, int HighIx, std::string& Attributes,
                        std::string& Content);

// Writes Text (UTF-8, converted to Windows-1252 as text files are) and CR LF.
// Raises EWriteError when the stream takes fewer bytes, EOrqError for a null
// stream.
void WriteLnStream(TStream* Stream, const std::string& Text);

}  // namespace orq
