// TTextFile: line-oriented text files in the library's 8-bit code page.
//
// On disk a text file is Windows-1252, so that files written on other systems
// read the same; in memory every text is UTF-8. Reading converts each byte to
// its UTF-8 form (the five bytes Windows-1252 leaves undefined, 0x81, 0x8D,
// 0x8F, 0x90 and 0x9D, become the C1 control characters of the same code, so
// that they survive a round trip). Writing converts back; a character the
// code page cannot represent, and a byte that is not part of a well-formed
// UTF-8 sequence, is written as "?".
//
// Lines end in CR LF when written; reading accepts LF and CR LF, and a last
// line without a line end. Single-character reads share the position with
// ReadLn, so a reader can stop in the middle of a line and the next ReadLn
// returns the rest of it.
//
// Errors: with IOChecks on (the default) a failing operation raises
// EInOutError whose ErrorCode is the errno value. With IOChecks off the first
// error is kept and returned (and cleared) by IOResult(); while an error is
// pending, further operations on the file do nothing (Close still closes it),
// so that a caller can do a sequence of operations and test the result once:
//
//   TTextFile f(name);
//   f.SetIOChecks(false);
//   f.Reset();
//   if (f.IOResult() != 0) return false;  // missing or unreadable
//   f.SetIOChecks(true);                   // later faults raise
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace orq {

// Windows-1252 bytes to UTF-8.
std::string Cp1252ToUtf8(std::string_view Bytes);
// UTF-8 to Windows-1252 bytes; what the code page lacks becomes "?".
std::string Utf8ToCp1252(std::string_view Text);
// The UTF-8 form of one Windows-1252 byte (1 to 3 bytes).
std::string Cp1252CharToUtf8(unsigned char Byte);

enum TTextFileMode : int { tfmClosed, tfmInput, tfmOutput };

class TTextFile {
 public:
  TTextFile() = default;
  explicit TTextFile(const std::string& FileName) : FFileName(FileName) {}
  // Closes the file if it is still open; errors at this point are dropped.
  ~TTextFile();
  TTextFile(const TTextFile&) = delete;
  TTextFile& operator=(const TTextFile&) = delete;

  // Names the file for the next Reset, Rewrite or Append. Raises (or
  // captures) EBADF when the file is open.
  void AssignFile(const std::string& FileName);
  const std::string& FileName() const { return FFileName; }

  // Opens the existing file for reading from its start.
  void Reset();
  // Creates the file (or empties an existing one) for writing.
  void Rewrite();
  // Opens the existing file for writing at its end.
  void Append();
  // Closes the file, writing what is buffered; closing a file that is not
  // open is an error (EBADF).
  void Close();
  // Writes what is buffered to the operating system.
  void Flush();

  TTextFileMode Mode() const { return FMode; }
  bool IsOpen() const { return FMode != tfmClosed; }

  // Reads the rest of the current line without its line end and moves to the
  // next line. Returns false (with Line empty) when the file was already at
  // its end.
  bool ReadLn(std::string& Line);
  std::string ReadLn();
  // Skips the rest of the current line.
  void SkipLn();
  // True when nothing is left to read. A file not open for reading is at its
  // end (and that is an error, EBADF).
  bool Eof();
  // Next byte of the UTF-8 text (a character of the code page above 0x7F
  // comes as two or three bytes). Returns false at the end of the file.
  bool ReadChar(char& Ch);
  // The byte ReadChar would return, without consuming it.
  bool PeekChar(char& Ch);
  // Puts UTF-8 text back in front of what is left to read, for a reader
  // that looked further ahead than it wanted to consume. Needs the file open
  // for reading.
  void UnreadText(std::string_view Text);

  void Write(std::string_view Text);
  // Text followed by CR LF.
  void WriteLn(std::string_view Text = {});

  // Raise on errors (true, the default) or capture them for IOResult().
  bool IOChecks() const { return FIOChecks; }
  void SetIOChecks(bool value) { FIOChecks = value; }
  // The pending error code (an errno value, 0 for none); reading clears it.
  int IOResult();

 private:
  bool Usable(TTextFileMode Needed);
  void Fail(int Code, const std::string& What);
  void Open(const char* How, TTextFileMode NewMode);
  // Fills FPending from the next disk byte; false at the end of the file.
  bool FillPending();

  std::string FFileName;
  std::FILE* FFile = nullptr;
  TTextFileMode FMode = tfmClosed;
  bool FIOChecks = true;
  int FIOResult = 0;
  // UTF-8 bytes of the last disk byte read that were not handed out yet.
  std::string FPending;
  std::size_t FPendingPos = 0;
};

}  // namespace orq
