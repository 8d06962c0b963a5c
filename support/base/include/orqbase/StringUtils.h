// Text helpers of the base layer: table lookup and file-name reduction.
#pragma once

#include <span>
#include <string>

namespace orq {

// The 1-based position of the first entry of Table[0..HighIx] that equals
// Text exactly (case counts: callers lower-case both sides where a format
// ignores case). 0 when no entry equals it, so that "position - 1" of a
// missing text is -1 and never a valid ordinal. HighIx beyond the table is
// limited to its last entry.
int StringIx(const std::string& Text, std::span<const std::string> Table, int HighIx);

// The name without its directory: "maps/alps.bmp" -> "alps.bmp".
std::string StripPath(const std::string& Name);
// The name without its extension, directory kept: "maps/alps.bmp" ->
// "maps/alps". Only the last extension goes ("a.tar.gz" -> "a.tar"); a dot in
// a directory name or at the start of a file name does not start one.
std::string StripExtension(const std::string& Name);

// Keeps the characters allowed in 8.3 file names: ASCII letters and digits,
// "." and ! # $ % & ' ( ) - @ ^ _ ` { } ~. Everything else (blanks, path
// separators, non-ASCII characters) is removed, and so are leading dots, so
// that the result never names the current or the parent directory. Case is
// kept; the length is not limited.
std::string ReduceStringToFN83CompliantChars(const std::string& Text);

}  // namespace orq
