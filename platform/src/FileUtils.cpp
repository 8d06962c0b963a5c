#include "orqplatform/FileUtils.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "orqplatform/DateTime.h"

namespace orq {

namespace {

bool StatOf(const std::string& Name, struct stat& St) { return !Name.empty() && ::stat(Name.c_str(), &St) == 0; }

// Position of the "." that starts the extension of the name part, or npos.
std::size_t ExtensionDot(const std::string& FileName) {
  const std::size_t slash = FileName.rfind(PathDelim);
  const std::size_t name_start = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = FileName.rfind('.');
  if (dot == std::string::npos || dot <= name_start) return std::string::npos;
  return dot;
}

}  // namespace

bool FileExists(const std::string& FileName) {
  struct stat st;
  return StatOf(FileName, st) && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& Name) {
  struct stat st;
  return StatOf(Name, st) && S_ISDIR(st.st_mode);
}

bool RenameFile(const std::string& OldName, const std::string& NewName) {
  if (OldName.empty() || NewName.empty()) return false;
  if (OldName == NewName) return ::access(OldName.c_str(), F_OK) == 0;
#ifdef SYS_renameat2
  // RENAME_NOREPLACE (1) makes the check and the rename one step.
  if (::syscall(SYS_renameat2, AT_FDCWD, OldName.c_str(), AT_FDCWD, NewName.c_str(), 1u) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
#endif
  // File systems without the flag: check first (not atomic, but never
  // knowingly replaces a file).
  struct stat st;
  if (::lstat(NewName.c_str(), &st) == 0) return false;
  return std::rename(OldName.c_str(), NewName.c_str()) == 0;
}

bool DeleteFile(const std::string& FileName) {
  struct stat st;
  if (!StatOf(FileName, st) || S_ISDIR(st.st_mode)) return false;
  return ::unlink(FileName.c_str()) == 0;
}

std::string ExtractFileExt(const std::string& FileName) {
  const std::size_t dot = ExtensionDot(FileName);
  return dot == std::string::npos ? std::string() : FileName.substr(dot);
}

std::string ExtractFilePath(const std::string& FileName) {
  const std::size_t slash = FileName.rfind(PathDelim);
  return slash == std::string::npos ? std::string() : FileName.substr(0, slash + 1);
}

std::string ExtractFileName(const std::string& FileName) {
  const std::size_t slash = FileName.rfind(PathDelim);
  return slash == std::string::npos ? FileName : FileName.substr(slash + 1);
}

std::string ChangeFileExt(const std::string& FileName, const std::string& Extension) {
  const std::size_t dot = ExtensionDot(FileName);
  return (dot == std::string::npos ? FileName : FileName.substr(0, dot)) + Extension;
}

std::string IncludeTrailingPathDelimiter(const std::string& Path) {
  if (!Path.empty() && Path.back() == PathDelim) return Path;
  return Path + PathDelim;
}

std::string ExcludeTrailingPathDelimiter(const std::string& Path) {
  if (Path.size() > 1 && Path.back() == PathDelim) return Path.substr(0, Path.size() - 1);
  return Path;
}

std::string LowerCase(const std::string& Text) {
  std::string out = Text;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string UpperCase(const std::string& Text) {
  std::string out = Text;
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

bool FileAge(const std::string& FileName, TDateTime& FileDateTime) {
  struct stat st;
  if (!StatOf(FileName, st)) return false;
  FileDateTime = UnixToDateTime(static_cast<double>(st.st_mtim.tv_sec) + st.st_mtim.tv_nsec * 1e-9, true);
  return true;
}

int64_t FileSize(const std::string& FileName) {
  struct stat st;
  if (!StatOf(FileName, st) || !S_ISREG(st.st_mode)) return -1;
  return static_cast<int64_t>(st.st_size);
}

std::string FindFileIgnoringCase(const std::string& FileName) {
  if (FileName.empty() || FileExists(FileName)) return FileName;
  namespace fs = std::filesystem;
  const fs::path wanted(FileName);
  fs::path found = wanted.root_path();
  for (const fs::path& part : wanted.relative_path()) {
    const fs::path exact = found / part;
    std::error_code ec;
    if (fs::exists(exact, ec)) {
      found = exact;
      continue;
    }
    const std::string key = LowerCase(part.string());
    bool matched = false;
    const fs::path dir = found.empty() ? fs::path(".") : found;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      if (LowerCase(it->path().filename().string()) == key) {
        found /= it->path().filename();
        matched = true;
        break;
      }
    }
    if (!matched) return FileName;
  }
  return FileExists(found.string()) ? found.string() : FileName;
}

}  // namespace orq
