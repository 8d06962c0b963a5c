#include "db_session.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <stdexcept>

#include "ErrorReport.h"
#include "NumberParsing.h"
#include "PositionFields.h"
#include "orqbase/StringUtils.h"

namespace orq::cli {

namespace {

bool FileExists(const std::string& Path) {
  struct stat st {};
  return ::stat(Path.c_str(), &st) == 0;
}

long long FileSize(const std::string& Path) {
  struct stat st {};
  return ::stat(Path.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

std::string Lower(std::string_view Text) {
  std::string out(Text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string KindList(bool PolygonsOnly) {
  std::string list;
  for (int k = gitBorder; k <= gitUndefined; ++k) {
    if (PolygonsOnly && !IsPolygonKind(static_cast<TgdbItem>(k))) continue;
    if (!list.empty()) list += ", ";
    list += Lower(GDB_ITEMNAMES[k]);
  }
  return list;
}

}  // namespace

TDbFiles TDbFiles::For(const std::string& Name) { return TDbFiles{StripExtension(Name)}; }

bool TDbFiles::AnyExists() const {
  if (FileExists(Data()) || FileExists(Summary())) return true;
  for (int d = 0; d < 5; ++d)
    if (FileExists(Index(d))) return true;
  return false;
}

bool IndexFilesMatch(const TDbFiles& Files, int NumEntries) {
  for (int d = 0; d < 5; ++d)
    if (FileSize(Files.Index(d)) != static_cast<long long>(NumEntries) * 8) return false;
  return true;
}

TDbSession::TDbSession(const std::string& Name, TAccess Access, std::ostream& Err, std::string_view Command,
                       bool ShowProgress)
    : FFiles(TDbFiles::For(Name)), FProgress(Err, ShowProgress), FDb(std::make_unique<TGeoDB>()) {
  if (Name.empty()) throw EUsageError("the database name is empty");
  if (!FileExists(FFiles.Data()))
    throw std::runtime_error("no database \"" + Printable(FFiles.Base) + "\" (its data file " +
                             Printable(FFiles.Data()) + " does not exist; 'orqcarta db create' makes one)");
  if (!FileExists(FFiles.Summary()))
    throw std::runtime_error("the summary file " + Printable(FFiles.Summary()) +
                             " of the database is missing; without it no item can be found");
  FDb->SetDBName(FFiles.Base);
  FDb->SetOnPercentDone(FProgress.Handler());
  if (Access == daWrite && !IndexFilesMatch(FFiles, FDb->NumEntries())) {
    ReportError(Err, Command, "the index files did not match the summary; rebuilding them");
    FDb->RecalcIndexes();
  }
}

TDbSession::~TDbSession() {
  // The database's destructor saves deferred indexes; the bar must still
  // exist while the database can report progress.
  FDb.reset();
}

void TDbSession::Finish() {
  FDb->SetLazyWrite(false);
  FProgress.Finish();
}

int ResolveItem(const TGeoDB& Db, std::string_view Token, bool ById) {
  const auto number = ParseInteger(Token);
  if (!number) throw EInputError("invalid item " + std::string(ById ? "ID" : "position") + " \"" + Printable(Token, 40) + "\"");
  if (ById) {
    const int position = Db.SearchForItemID(*number);
    if (position == 0) throw EInputError("no item with ItemID " + std::to_string(*number));
    return position;
  }
  if (*number < 1 || *number > Db.NumEntries())
    throw EInputError("no item at position " + std::to_string(*number) + " (the database holds " +
                      std::to_string(Db.NumEntries()) + (Db.NumEntries() == 1 ? " item)" : " items)"));
  return *number;
}

TgdbItem ParseKind(std::string_view Token) {
  const std::string wanted = Lower(Token);
  for (int k = gitBorder; k <= gitUndefined; ++k)
    if (wanted == Lower(GDB_ITEMNAMES[k]) || wanted == std::to_string(k)) return static_cast<TgdbItem>(k);
  throw EUsageError("unknown item kind \"" + Printable(Token, 40) + "\"; the kinds are " + KindList(false));
}

TgdbItem ParsePolygonKind(std::string_view Token) {
  const std::string wanted = Lower(Token);
  for (int k = gitBorder; k <= gitUndefined; ++k) {
    const auto kind = static_cast<TgdbItem>(k);
    if (IsPolygonKind(kind) && (wanted == Lower(GDB_ITEMNAMES[k]) || wanted == std::to_string(k))) return kind;
  }
  throw EUsageError("\"" + Printable(Token, 40) + "\" is not a polygon kind; they are " + KindList(true));
}

double ParseNumberArgument(std::string_view What, std::string_view Token) {
  const auto value = ParseNumber(Token);
  if (!value) throw EInputError("invalid " + std::string(What) + " \"" + Printable(Token, 40) + "\"");
  return *value;
}

double ParseLatitudeArgument(std::string_view Token) {
  const double value = ParseNumberArgument("latitude", Token);
  CheckLatitude(value);
  return value;
}

double ParseLongitudeArgument(std::string_view Token) {
  const double value = ParseNumberArgument("longitude", Token);
  CheckLongitude(value);
  return value;
}

std::string WithoutComponentPrefix(std::string_view Message) {
  constexpr std::string_view Prefix = "Component \"";
  if (Message.substr(0, Prefix.size()) == Prefix) {
    const std::size_t end = Message.find("\": ", Prefix.size());
    if (end != std::string_view::npos) return std::string(Message.substr(end + 3));
  }
  return std::string(Message);
}

std::size_t CharacterCount(std::string_view Text) {
  return static_cast<std::size_t>(
      std::count_if(Text.begin(), Text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void WarnIfNameCut(std::ostream& Err, std::string_view Command, std::string_view Name) {
  if (CharacterCount(Name) > TgdbName::Capacity)
    ReportError(Err, Command,
                "name cut to " + std::to_string(TgdbName::Capacity) + " characters: \"" + Printable(Name, 100) + "\"");
}

}  // namespace orq::cli
