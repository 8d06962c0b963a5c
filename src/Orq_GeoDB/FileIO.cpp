#include "FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "orqplatform/Exceptions.h"

namespace orq::gdb_detail {

namespace {

std::function<void(const std::string&)>& WriteObserver() {
  static std::function<void(const std::string&)> observer;
  return observer;
}

int OpenFlags(TGdbFile::TMode Mode) {
  switch (Mode) {
    case TGdbFile::fmRead: return O_RDONLY | O_CLOEXEC;
    case TGdbFile::fmReadWrite: return O_RDWR | O_CLOEXEC;
    default: return O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC;
  }
}

}  // namespace

void RaiseInOut(const std::string& What, const std::string& Path, int Code) {
  std::string msg = What + " \"" + Path + "\"";
  if (Code != 0) msg += ": " + std::string(std::strerror(Code));
  throw EInOutError(msg + ".", Code);
}

TGdbFile::TGdbFile(const std::string& Path, TMode Mode) : FPath(Path) {
  FFd = ::open(Path.c_str(), OpenFlags(Mode), 0644);
  if (FFd < 0) RaiseInOut(Mode == fmCreate ? "Cannot create file" : "Cannot open file", Path, errno);
}

TGdbFile::~TGdbFile() {
  if (FFd >= 0) ::close(FFd);
}

std::unique_ptr<TGdbFile> TGdbFile::TryOpen(const std::string& Path, TMode Mode) {
  const int fd = ::open(Path.c_str(), OpenFlags(Mode), 0644);
  if (fd < 0) return nullptr;
  std::unique_ptr<TGdbFile> file(new TGdbFile());
  file->FPath = Path;
  file->FFd = fd;
  return file;
}

void TGdbFile::Close() {
  if (FFd >= 0 && ::close(FFd) != 0) {
    FFd = -1;
    RaiseInOut("Cannot close file", FPath, errno);
  }
  FFd = -1;
}

int64_t TGdbFile::Size() const {
  struct stat st {};
  if (::fstat(FFd, &st) != 0) RaiseInOut("Cannot read the size of", FPath, errno);
  return static_cast<int64_t>(st.st_size);
}

int64_t TGdbFile::ReadAt(int64_t Offset, void* Buffer, int64_t Count) const {
  if (Offset < 0 || Count <= 0) return 0;
  int64_t done = 0;
  auto* out = static_cast<char*>(Buffer);
  while (done < Count) {
    const ssize_t n = ::pread(FFd, out + done, static_cast<size_t>(Count - done), static_cast<off_t>(Offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      RaiseInOut("Cannot read file", FPath, errno);
    }
    if (n == 0) break;  // end of file
    done += n;
  }
  return done;
}

void TGdbFile::WriteAt(int64_t Offset, const void* Buffer, int64_t Count) {
  int64_t done = 0;
  const auto* in = static_cast<const char*>(Buffer);
  while (done < Count) {
    const ssize_t n = ::pwrite(FFd, in + done, static_cast<size_t>(Count - done), static_cast<off_t>(Offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      RaiseInOut("Cannot write file", FPath, errno);
    }
    if (n == 0) RaiseInOut("Cannot write file", FPath, ENOSPC);
    done += n;
  }
  if (WriteObserver()) WriteObserver()(FPath);
}

void TGdbFile::Truncate(int64_t NewSize) {
  if (::ftruncate(FFd, static_cast<off_t>(NewSize)) != 0) RaiseInOut("Cannot truncate file", FPath, errno);
  if (WriteObserver()) WriteObserver()(FPath);
}

void TGdbFile::Sync() {
  if (::fsync(FFd) != 0) RaiseInOut("Cannot flush file", FPath, errno);
}

void ReplaceFile(const std::string& From, const std::string& To) {
  if (std::rename(From.c_str(), To.c_str()) != 0) RaiseInOut("Cannot rename file", From, errno);
  if (WriteObserver()) WriteObserver()(To);
}

void RemoveFileIfExists(const std::string& Path) { ::unlink(Path.c_str()); }

void SetFileWriteObserver(std::function<void(const std::string& Path)> Observer) {
  WriteObserver() = std::move(Observer);
}

}  // namespace orq::gdb_detail
