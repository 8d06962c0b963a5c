// File-name and file-system helpers. Paths use "/" as separator; a file
// name's extension starts at its last "." (a leading "." of a hidden file's
// name does not start an extension).
#pragma once

#include <cstdint>
#include <string>

namespace orq {

using TDateTime = double;

inline constexpr char PathDelim = '/';

// True for an existing regular file (or a link to one); false for a
// directory.
bool FileExists(const std::string& FileName);
bool DirectoryExists(const std::string& Name);

// The name of an existing file whose path equals FileName but for the case of
// ASCII letters, the way a case-insensitive file system finds it; each path
// component is matched on its own and an exact match is preferred. FileName
// itself when nothing matches. Stored map files name their images in lower
// case, and on Linux they must still be found.
std::string FindFileIgnoringCase(const std::string& FileName);

// Renames a file. Refuses (false) when NewName names an existing file other
// than OldName, so that a rename never destroys another file.
bool RenameFile(const std::string& OldName, const std::string& NewName);
// Removes a file; false when it does not exist or cannot be removed.
bool DeleteFile(const std::string& FileName);

// "dir/name.ext" -> ".ext"; "" without extension.
std::string ExtractFileExt(const std::string& FileName);
// "dir/name.ext" -> "dir/" (with the trailing separator); "" without one.
std::string ExtractFilePath(const std::string& FileName);
// "dir/name.ext" -> "name.ext".
std::string ExtractFileName(const std::string& FileName);
// Replaces (or adds, or with "" removes) the extension: ChangeFileExt("a/b.txt", ".xml") is "a/b.xml".
std::string ChangeFileExt(const std::string& FileName, const std::string& Extension);
std::string IncludeTrailingPathDelimiter(const std::string& Path);
std::string ExcludeTrailingPathDelimiter(const std::string& Path);

// ASCII letters only; other bytes (UTF-8 sequences included) stay.
std::string LowerCase(const std::string& Text);
std::string UpperCase(const std::string& Text);

// Local modification time of a file. False (FileDateTime unchanged) when the
// file does not exist.
bool FileAge(const std::string& FileName, TDateTime& FileDateTime);
// Size in bytes, -1 when the file does not exist or is not a regular file.
int64_t FileSize(const std::string& FileName);

}  // namespace orq
