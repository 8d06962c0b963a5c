// Small file layer of the database: unbuffered positioned reads and writes on
// a descriptor that lives for one operation, with the replace-by-rename and
// the flushes the database's crash safety rests on. Failures raise
// EInOutError with the errno value. The general file-name, file-date and
// clock helpers are the platform's (orqplatform/FileUtils.h, DateTime.h).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace orq::gdb_detail {

class TGdbFile {
 public:
  enum TMode { fmRead, fmReadWrite, fmCreate };
  // Raises EInOutError when the file cannot be opened.
  TGdbFile(const std::string& Path, TMode Mode);
  ~TGdbFile();
  TGdbFile(const TGdbFile&) = delete;
  TGdbFile& operator=(const TGdbFile&) = delete;

  // Opens or returns null; never raises.
  static std::unique_ptr<TGdbFile> TryOpen(const std::string& Path, TMode Mode);

  int64_t Size() const;
  // Reads up to Count bytes at Offset; fewer at the end of the file.
  int64_t ReadAt(int64_t Offset, void* Buffer, int64_t Count) const;
  // Writes exactly Count bytes at Offset or raises.
  void WriteAt(int64_t Offset, const void* Buffer, int64_t Count);
  void Truncate(int64_t NewSize);
  // Forces the contents to the disk (before a rename makes them current).
  void Sync();
  void Close();
  const std::string& Path() const { return FPath; }

 private:
  TGdbFile() = default;
  std::string FPath;
  int FFd = -1;
};

// A file opened for one operation, or the one held open across a batch of
// changes (LazyWrite): held files skip the cost of an open and a close per
// item, which dominates bulk loading.
class TFileLease {
 public:
  // Held == nullptr: a file of its own, closed by Close or the destructor.
  TFileLease(std::unique_ptr<TGdbFile>* Held, const std::string& Path) {
    if (Held) {
      if (!*Held) *Held = std::make_unique<TGdbFile>(Path, TGdbFile::fmReadWrite);
      FFile = Held->get();
    } else {
      FOwned = std::make_unique<TGdbFile>(Path, TGdbFile::fmReadWrite);
      FFile = FOwned.get();
    }
  }
  TGdbFile* operator->() const { return FFile; }
  void Close() {
    if (FOwned) FOwned->Close();
  }

 private:
  std::unique_ptr<TGdbFile> FOwned;
  TGdbFile* FFile = nullptr;
};

[[noreturn]] void RaiseInOut(const std::string& What, const std::string& Path, int Code);

// Renames From over To (atomically on the same file system) or raises.
void ReplaceFile(const std::string& From, const std::string& To);
void RemoveFileIfExists(const std::string& Path);

// Test hook: called after every completed write to a database file, with the
// path written. Lets tests take snapshots between the steps of an operation.
void SetFileWriteObserver(std::function<void(const std::string& Path)> Observer);

}  // namespace orq::gdb_detail
