#include "orqplatform/TextFile.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

#include "orqplatform/Exceptions.h"

namespace orq {

TTextFile::~TTextFile() {
  if (FFile) std::fclose(FFile);
}

int TTextFile::IOResult() {
  const int r = FIOResult;
  FIOResult = 0;
  return r;
}

void TTextFile::Fail(int Code, const std::string& What) {
  if (Code == 0) Code = EIO;
  if (!FIOChecks) {
    if (FIOResult == 0) FIOResult = Code;
    return;
  }
  throw EInOutError(What + " \"" + FFileName + "\": " + std::strerror(Code), Code);
}

// Whether an operation may go on: no captured error pending and the file
// open in the mode it needs (tfmClosed: must be closed).
bool TTextFile::Usable(TTextFileMode Needed) {
  if (FIOResult != 0) return false;
  if (FMode == Needed) return true;
  if (Needed == tfmClosed)
    Fail(EBADF, "File is open");
  else if (FMode == tfmClosed)
    Fail(EBADF, "File not open");
  else
    Fail(EBADF, Needed == tfmInput ? "File not open for input" : "File not open for output");
  return false;
}

void TTextFile::AssignFile(const std::string& FileName) {
  if (!Usable(tfmClosed)) return;
  FFileName = FileName;
}

void TTextFile::Open(const char* How, TTextFileMode NewMode) {
  // Reopening an open file closes it first, as the platform does.
  if (FIOResult != 0) return;
  if (FMode != tfmClosed) Close();
  if (FIOResult != 0) return;
  FPending.clear();
  FPendingPos = 0;
  errno = 0;
  FFile = std::fopen(FFileName.c_str(), How);
  if (!FFile) {
    Fail(errno, "Cannot open file");
    return;
  }
  // fopen opens a directory for reading without complaint.
  struct stat st;
  if (::fstat(fileno(FFile), &st) == 0 && S_ISDIR(st.st_mode)) {
    std::fclose(FFile);
    FFile = nullptr;
    Fail(EISDIR, "Cannot open file");
    return;
  }
  FMode = NewMode;
}

void TTextFile::Reset() { Open("rb", tfmInput); }
void TTextFile::Rewrite() { Open("wb", tfmOutput); }

void TTextFile::Append() {
  // "ab" would create a missing file; appending needs an existing one.
  Open("r+b", tfmOutput);
  if (FFile && std::fseek(FFile, 0, SEEK_END) != 0) {
    const int code = errno;
    std::fclose(FFile);
    FFile = nullptr;
    FMode = tfmClosed;
    Fail(code, "Cannot append to file");
  }
}

void TTextFile::Close() {
  // Closes even while an error is pending, so that nothing stays open.
  if (FMode == tfmClosed) {
    if (FIOResult == 0) Fail(EBADF, "File not open");
    return;
  }
  const bool had_error = std::ferror(FFile) != 0;
  errno = 0;
  const int rc = std::fclose(FFile);
  const int code = errno;
  FFile = nullptr;
  const TTextFileMode was = FMode;
  FMode = tfmClosed;
  FPending.clear();
  FPendingPos = 0;
  if ((rc != 0 || had_error) && was == tfmOutput) Fail(code, "Cannot write file");
}

void TTextFile::Flush() {
  if (!Usable(tfmOutput)) return;
  errno = 0;
  if (std::fflush(FFile) != 0) Fail(errno, "Cannot write file");
}

bool TTextFile::FillPending() {
  errno = 0;
  const int c = std::getc(FFile);
  if (c == EOF) {
    if (std::ferror(FFile)) {
      const int code = errno;
      std::clearerr(FFile);
      Fail(code, "Cannot read file");
    }
    return false;
  }
  FPending = Cp1252CharToUtf8(static_cast<unsigned char>(c));
  FPendingPos = 0;
  return true;
}

bool TTextFile::PeekChar(char& Ch) {
  Ch = 0;
  if (!Usable(tfmInput)) return false;
  if (FPendingPos >= FPending.size() && !FillPending()) return false;
  Ch = FPending[FPendingPos];
  return true;
}

bool TTextFile::ReadChar(char& Ch) {
  if (!PeekChar(Ch)) return false;
  ++FPendingPos;
  return true;
}

void TTextFile::UnreadText(std::string_view Text) {
  if (!Usable(tfmInput) || Text.empty()) return;
  FPending = std::string(Text) + FPending.substr(FPendingPos);
  FPendingPos = 0;
}

bool TTextFile::Eof() {
  if (!Usable(tfmInput)) return true;
  char c;
  return !PeekChar(c);
}

bool TTextFile::ReadLn(std::string& Line) {
  Line.clear();
  char c;
  if (!ReadChar(c)) return false;
  while (c != '\n') {
    Line += c;
    if (!ReadChar(c)) break;
  }
  if (!Line.empty() && Line.back() == '\r') Line.pop_back();
  return true;
}

std::string TTextFile::ReadLn() {
  std::string line;
  ReadLn(line);
  return line;
}

void TTextFile::SkipLn() {
  char c;
  while (ReadChar(c) && c != '\n') {
  }
}

void TTextFile::Write(std::string_view Text) {
  if (!Usable(tfmOutput)) return;
  const std::string bytes = Utf8ToCp1252(Text);
  errno = 0;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), FFile) != bytes.size())
    Fail(errno, "Cannot write file");
}

void TTextFile::WriteLn(std::string_view Text) {
  Write(Text);
  Write("\r\n");
}

}  // namespace orq
