// The geographic database: named items (borders, towns, cities, lakes,
// rivers, roads, routes) with single-precision outline polygons and bounding
// boxes, and binary objects (BLOBs) with meta information, kept in seven files
// sharing one base name B:
//
//   B.orqgdd   data file: 260-byte header, then the payloads, appended
//   B.orqgds   summary file: one 120-byte record per item, in position order
//   B.orqgi0   item-ID index (8-byte records sorted by ItemID)
//   B.orqgi1-4 bound indexes on LatLow, LatHigh, LongLow, LongHigh
//
// All files are little-endian with no magic numbers. Texts in the files are
// Windows-1252; in memory they are UTF-8 and cut to their field's length in
// characters. Positions (DbEntry) are 1-based and change when an item is
// deleted (the last item moves into the gap); ItemIDs are stable.
//
// Angles are decimal degrees (north and east positive); dates are TDateTime
// values (days since 1899-12-30, local time).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "orqbase/BaseTypes.h"
#include "orqbase/BoundedString.h"
#include "orqbase/OrqError.h"
#include "orqplatform/Components.h"
#include "orqplatform/Streams.h"

namespace orq {

class EOrqGeoDBError : public EOrqError {
 public:
  using EOrqError::EOrqError;
};

// Item kinds, stored as one byte. Values above gitUndefined may occur in
// files written elsewhere; they are treated like gitUndefined (no payload).
enum TgdbItem : int {
  gitBorder,
  gitTown,
  gitCity,
  gitLake,
  gitRiver,
  gitRoad,
  gitRoute,
  gitBLOB,
  gitUndefined,
};

inline constexpr const char* GDB_ITEMNAMES[9] = {"Border", "Town", "City",  "Lake",     "River",
                                                 "Road",   "Route", "BLOB", "Undefined"};

// True for the kinds whose payload is an outline polygon.
constexpr bool IsPolygonKind(TgdbItem Kind) {
  return Kind == gitBorder || Kind == gitCity || Kind == gitLake || Kind == gitRiver || Kind == gitRoad ||
         Kind == gitRoute;
}

using TgdbName = TBoundedString<59>;

// A polygon point or town position, single precision degrees.
struct TSCoords {
  float Latit = 0;
  float Longit = 0;
  friend bool operator==(const TSCoords&, const TSCoords&) = default;
};

struct TPositionData {
  double Latit = 0;
  double Longit = 0;
  double Height = 0;
};

// Header of the data file (260 bytes at offset 0).
struct TgdbSystemData {
  int32_t HighestID = 0;  // last ItemID given out
  int32_t DBVersion = 4;
  TBoundedString<63> Description;  // at most 60 characters are ever stored
  int32_t Revision = 0;
  std::array<uint8_t, 184> Reserved{};  // kept unchanged
};

// One item: a record of the summary file and of the in-memory summary.
struct TgdbData {
  int32_t ItemId = 0;
  TgdbName Name;
  float Altitude = 0;
  uint8_t ClassFlag = 0;
  int32_t Tag = 0;
  int32_t BlobOffset = -1;  // payload offset in the data file, -1 for none
  double Date = 0;
  int32_t StateFlag = 0;
  float LatLow = 0;
  float LatHigh = 0;
  float LongLow = 0;
  float LongHigh = 0;
  TgdbItem ItemKind = gitUndefined;
  union {
    int32_t NumPoints = 0;  // polygon kinds: number of points
    int32_t Size;           // gitBLOB: payload bytes after the meta information
  };
  bool Closed = false;  // polygon kinds: the outline is a closed line
};

enum TMetaItem : int { miKwd, miCaption, miFilePath, miDescriptor, miComment };

// Meta information stored in front of every BLOB (1024 bytes in the file).
struct TMetaInfo {
  TBoundedString<255> Keywords;
  TBoundedString<127> Caption;
  TBoundedString<127> FilePath;
  TBoundedString<255> Descriptor;
  TBoundedString<255> Comment;
  friend bool operator==(const TMetaInfo&, const TMetaInfo&) = default;
};

struct TIxItemIDRec {
  int32_t ItemID = 0;
  int32_t index = 0;  // position, 0-based in the files (1-based from the accessors)
  friend bool operator==(const TIxItemIDRec&, const TIxItemIDRec&) = default;
};

struct TIxLLRec {
  float LLValue = 0;
  int32_t index = 0;
  friend bool operator==(const TIxLLRec&, const TIxLLRec&) = default;
};

// What ReadSystemInformation reports about a database without opening it.
struct TgdbSystemInformation {
  std::string Description;
  int32_t Revision = 0;
  int32_t DBVersion = 0;
  int32_t HighestID = 0;
  int32_t NumEntries = 0;  // from the summary file beside it (0 when missing)
};

// ItemId 0, name of spaces, BlobOffset -1, Date now, kind gitUndefined, every
// other field 0 / false. NumPoints is left as it was.
void ClearGdbData(TgdbData& GdbData);
void ClearMetaInfo(TMetaInfo& MetaInfo);
// (LatLow, LongLow): the position of a town.
TSCoords ExtractLocation(const TgdbData& GdbData);

// Latitude / longitude as text: clamped to +-90 / +-180 (NaN to the negative
// limit), formatted by DegreeToStr, followed by " N"/" S" or " E"/" W".
std::string GeoLatitude(double Latit, TDegreeFormat Format, int N);
std::string GeoLongitude(double Longit, TDegreeFormat Format, int N);

// Reads the header of the data file of the database named FileName (any of
// its file names or its base name) and counts the items in the summary file
// beside it, without opening the database. Raises EInOutError when the data
// file cannot be read or is shorter than a header.
TgdbSystemInformation ReadSystemInformation(const std::string& FileName);

namespace gdb_detail {
class TSpatialIndex;
class TGdbFile;
class TFileLease;
}  // namespace gdb_detail

// One open database at a time. The summary and the five indexes live in
// memory; the data file is opened per operation. Not thread-safe: use one
// component from one thread. Changes are written at once, except that with
// LazyWrite on the index files wait until LazyWrite is switched off, the
// database is closed or the component is destroyed (and the data and summary
// files stay open meanwhile); after a crash in that state, RecalcIndexes
// rebuilds the indexes from the summary.
class TGeoDB : public TComponent {
 public:
  explicit TGeoDB(TComponent* AOwner = nullptr);
  ~TGeoDB() override;
  std::string ClassName() const override { return "TGeoDB"; }

  // --- opening, header and settings --------------------------------------

  // Base name of the open database (path kept, no extension); empty if closed.
  std::string DBName() const;
  // Opens (creating missing files) or, with an empty name, closes. Any
  // extension of the name is dropped. Opening another database first saves
  // the deferred indexes of the open one. Raises EInOutError when a file
  // cannot be opened or created; the component is closed then.
  void SetDBName(const std::string& value);
  int NumEntries() const { return FNumSumItems; }
  bool LazyWrite() const { return FLazyWrite; }
  // Switching it off saves all five indexes.
  void SetLazyWrite(bool value);
  std::string Description() const { return FSystemData.Description; }
  // Cut to 60 characters, never refused; written to the header at once.
  // Ignored while no database is open (so are SetRevision's values).
  void SetDescription(const std::string& value);
  int Revision() const { return FSystemData.Revision; }
  // Any value is stored as it is (no range); written to the header at once.
  void SetRevision(int value);
  int DBVersion() const { return FSystemData.DBVersion; }
  // The header as held in memory.
  const TgdbSystemData& SystemData() const { return FSystemData; }

  TOnPercentDoneEvent OnPercentDone() const { return FOnPercentDone; }
  void SetOnPercentDone(TOnPercentDoneEvent value) { FOnPercentDone = std::move(value); }
  bool OnPercDoneEnabled() const { return FOnPercDoneEnabled; }
  void SetOnPercDoneEnabled(bool value) { FOnPercDoneEnabled = value; }

  // --- items and indexes (positions 1-based, clamped into 1..NumEntries;
  //     a zeroed record when the database is empty) -----------------------

  TgdbData Data(int i) const { return GetSumdata(i); }
  TgdbData GetSumdata(int i) const;
  TIxItemIDRec IxItemID(int i) const { return GetIxItemID(i); }
  TIxItemIDRec GetIxItemID(int i) const;
  TIxLLRec IxLatLow(int i) const { return GetIxLatLow(i); }
  TIxLLRec IxLatHigh(int i) const { return GetIxLatHigh(i); }
  TIxLLRec IxLongLow(int i) const { return GetIxLongLow(i); }
  TIxLLRec IxLongHigh(int i) const { return GetIxLongHigh(i); }
  TIxLLRec GetIxLatLow(int i) const;
  TIxLLRec GetIxLatHigh(int i) const;
  TIxLLRec GetIxLongLow(int i) const;
  TIxLLRec GetIxLongHigh(int i) const;

  // 1-based slot of an equal key or of the first greater key (NumEntries + 1
  // when greater than all; 1 for an empty index).
  int GetClosestItemIDIx(int ItemID) const;
  int GetClosestLatLowIx(double Latit) const;
  int GetClosestLatHighIx(double Latit) const;
  int GetClosestLongLowIx(double Longit) const;
  int GetClosestLongHighIx(double Longit) const;
  // Position of the item with that ItemID, or 0.
  int SearchForItemID(int ItemID) const;
  // Next item at or after StartSearchAt whose name matches Name (case
  // insensitive; '*' any run of characters, '?' one character) and whose kind
  // and class are the given ones. Returns its position and sets Name to its
  // full name, or returns 0 and leaves Name alone.
  int SearchData(std::string& Name, TgdbItem ItemType, int StartSearchAt, uint8_t ClassNumber) const;
  // The same over all kinds and classes, from the first item.
  int SearchData(std::string& Name) const;
  // Rebuilds all five indexes from the summary and saves them; repairs a
  // header whose HighestID is below a stored ItemID.
  void RecalcIndexes();
  // Writes index d (0 item-ID, 1..4 bounds) to its file.
  void SaveIndex(int d);
  // Positions (ascending) of all items whose bounding box meets the window.
  // Empty boxes and windows (low bound above high bound, or NaN) meet nothing.
  std::vector<int> FindItemsInRegion(double LatLow, double LatHigh, double LongLow, double LongHigh) const;

  // --- adding (new position, -1 when closed) ------------------------------

  int AddBorder(std::string& Name, const std::vector<TSCoords>& Polygon, bool ClosedLine, double Date,
                int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                uint8_t ClassNumber, int32_t UserTag);
  int AddCity(std::string& Name, const std::vector<TSCoords>& Polygon, bool ClosedLine, double Date,
              int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
              uint8_t ClassNumber, int32_t UserTag);
  int AddLake(std::string& Name, const std::vector<TSCoords>& Polygon, double Date, int32_t StateFlag,
              float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
              int32_t UserTag);
  int AddRiver(std::string& Name, const std::vector<TSCoords>& Polygon, double Date, int32_t StateFlag,
               float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
               int32_t UserTag);
  int AddRoad(std::string& Name, const std::vector<TSCoords>& Polygon, double Date, int32_t StateFlag,
              float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
              int32_t UserTag);
  int AddRoute(std::string& Name, const std::vector<TSCoords>& Polygon, double Date, int32_t StateFlag,
               float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
               int32_t UserTag);
  int AddTown(std::string& Name, double Date, int32_t StateFlag, TSCoords Location, float Altitude,
              uint8_t ClassNumber, int32_t UserTag);
  // From a file; item name = the file name part of FileName (or FNameInDB).
  int AddBLOB(const std::string& FileName, double Date, int32_t StateFlag, float LatLow, float LatHigh,
              float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber, int32_t UserTag,
              const TMetaInfo& MInfo);
  int AddBLOB(const std::string& FileName, const std::string& FNameInDB, double Date, int32_t StateFlag,
              float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
              int32_t UserTag, const TMetaInfo& MInfo);
  int AddBLOB(const std::string& FileName, const std::string& FNameInDB, const std::string& OrgFilePath,
              double Date, int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
              float Altitude, uint8_t ClassNumber, int32_t UserTag, const TMetaInfo& MInfo);
  // From memory / from a memory stream (its whole content).
  int AddBLOB(const std::string& Name, double Date, int32_t StateFlag, float LatLow, float LatHigh, float LongLow,
              float LongHigh, float Altitude, uint8_t ClassNumber, int32_t UserTag, const TMetaInfo& MInfo,
              const void* PBLOBData, int32_t SizeOfBLOBData);
  int AddBLOB(const std::string& Name, double Date, int32_t StateFlag, float LatLow, float LatHigh, float LongLow,
              float LongHigh, float Altitude, uint8_t ClassNumber, int32_t UserTag, const TMetaInfo& MInfo,
              TMemoryStream* Data);

  // --- replacing (keeps ItemID and position; nothing when out of range) ---

  void ReplaceBorder(int DBEntry, std::string& Name, const std::vector<TSCoords>& Polygon, bool ClosedLine,
                     double Date, int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                     float Altitude, uint8_t ClassNumber, int32_t UserTag);
  void ReplaceCity(int DBEntry, std::string& Name, const std::vector<TSCoords>& Polygon, bool ClosedLine,
                   double Date, int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                   float Altitude, uint8_t ClassNumber, int32_t UserTag);
  void ReplaceLake(int DBEntry, std::string& Name, const std::vector<TSCoords>& Polygon, double Date,
                   int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                   uint8_t ClassNumber, int32_t UserTag);
  void ReplaceRiver(int DBEntry, std::string& Name, const std::vector<TSCoords>& Polygon, double Date,
                    int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                    uint8_t ClassNumber, int32_t UserTag);
  void ReplaceRoad(int DBEntry, std::string& Name, const std::vector<TSCoords>& Polygon, double Date,
                   int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                   uint8_t ClassNumber, int32_t UserTag);
  void ReplaceRoute(int DBEntry, std::string& Name, const std::vector<TSCoords>& Polygon, double Date,
                    int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                    uint8_t ClassNumber, int32_t UserTag);
  void ReplaceTown(int DBEntry, std::string& Name, double Date, int32_t StateFlag, TSCoords Location,
                   float Altitude, uint8_t ClassNumber, int32_t UserTag);
  void ReplaceBLOB(int DBEntry, const std::string& FileName, double Date, int32_t StateFlag, float LatLow,
                   float LatHigh, float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                   int32_t UserTag, const TMetaInfo& MInfo);
  void ReplaceBLOB(int DBEntry, const std::string& Name, double Date, int32_t StateFlag, float LatLow,
                   float LatHigh, float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                   int32_t UserTag, const TMetaInfo& MInfo, const void* PBLOBData, int32_t SizeOfBLOBData);
  void ReplaceBLOB(int DBEntry, const std::string& Name, double Date, int32_t StateFlag, float LatLow,
                   float LatHigh, float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                   int32_t UserTag, const TMetaInfo& MInfo, TMemoryStream* Data);

  // Makes the next added item get an ItemID above UpTo, so that items copied
  // from elsewhere can keep theirs: raises HighestID to UpTo (never lowers
  // it, so no ID is given out twice) and writes the header at once. Nothing
  // while no database is open.
  void ReserveItemIDs(int32_t UpTo);

  // The last item moves into the freed position.
  void DeleteData(int DbEntry);
  // Overwrites name, altitude, class, tag, date and state flag (and for towns
  // and BLOBs the bounding box) of an item; ItemID, kind and payload stay.
  bool UpdateBasicData(int DbEntry, const TgdbData& GdbData);
  // Rewrites a BLOB's meta information in place; false for other kinds.
  bool UpdateMetaInfo(int DBEntry, const TMetaInfo& MetaInfo);
  // Rewrites the data file with only the referenced payloads. Returns the
  // number of bytes freed, or -1 when no database is open.
  int64_t GarbageCollection();

  // --- retrieval ----------------------------------------------------------

  bool RetrievePolygon(int DBEntry, std::vector<TSCoords>& Polygon);
  bool RetrieveBLOB(int DBEntry, const std::string& Filepath, TMetaInfo& MetaInfo);
  bool RetrieveBLOB(int DBEntry, TMetaInfo& MetaInfo, void* PBLOBData, int32_t SizeOfBLOBData);
  bool RetrieveBLOB(int DBEntry, TMetaInfo& MetaInfo, TMemoryStream* BlobStream);
  bool GetMetaInfo(int DBEntry, TMetaInfo& MetaInfo);
  // A readable text dump of the header, the records and the indexes.
  void ExportDataDebug(const std::string& FileName);

 private:
  int AddData(std::string& Name, const std::vector<TSCoords>& Polygon, bool ClosedLine, TgdbItem Kind,
              uint8_t ClassNumber, double Date, int32_t StateFlag, float LatLow, float LatHigh, float LongLow,
              float LongHigh, float Altitude, int32_t UserTag, const TMetaInfo& MInfo, const void* Data,
              int64_t DataSize, const std::string* SourceFile);
  void ReplaceData(int DBEntry, std::string& Name, const std::vector<TSCoords>& Polygon, bool ClosedLine,
                   TgdbItem Kind, uint8_t ClassNumber, double Date, int32_t StateFlag, float LatLow, float LatHigh,
                   float LongLow, float LongHigh, float Altitude, int32_t UserTag, const TMetaInfo& MInfo,
                   const void* Data, int64_t DataSize, const std::string* SourceFile);
  // Fills Rec from the arguments and appends the payload to the data file.
  void WritePayload(TgdbData& Rec, const std::vector<TSCoords>& Polygon, bool ClosedLine, const TMetaInfo& MInfo,
                    const void* Data, int64_t DataSize, gdb_detail::TGdbFile* Source, const char* Caller);
  int AddBLOBFromFile(const std::string& FileName, const std::string& NameInDB, double Date, int32_t StateFlag,
                      float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                      uint8_t ClassNumber, int32_t UserTag, const TMetaInfo& MInfo);

  bool IsOpen() const { return !FNameGDD.empty(); }
  void Progress(int Percent);
  [[noreturn]] void Fail(const std::string& What) const;
  void WriteHeader(const char* Caller);
  void OpenDatabase(const std::string& Base);
  void ClearState();
  void SaveAllIndexes();
  void SaveIndexesUnlessLazy() {
    if (!FLazyWrite) SaveAllIndexes();
  }
  void WriteSummaryRecord(int Slot, const TgdbData& Rec);
  // Read/write access to the data or summary file for one change; under
  // LazyWrite the file stays open until the batch ends.
  gdb_detail::TFileLease DataFileForWriting();
  gdb_detail::TFileLease SummaryFileForWriting();
  void ReleaseHeldFiles();
  // 0-based slot of a 1-based position, false when outside 1..NumEntries.
  bool SlotOf(int DbEntry, int& Slot) const;
  // 0-based slot for the retrieval operations: positions below 1 mean 1.
  bool RetrievalSlot(int DBEntry, int& Slot) const;

  // Index maintenance; see Indexes.cpp.
  void InsertIntoIndex(int p, const TgdbData& Rec);
  void RemoveIndexEntries(int p);
  void ReferToNewPosition(int OldSlot, int NewSlot);
  void EnsureIndexesSorted() const;
  void RecoverInterruptedCollection(const std::string& Base);

  std::string FNameGDS;
  std::string FNameGDD;
  std::array<std::string, 5> FNameIX;
  std::vector<TgdbData> FSumData;
  int FNumSumItems = 0;
  bool FLazyWrite = false;
  mutable std::vector<TIxItemIDRec> FIx0ItemId;
  mutable std::vector<TIxLLRec> FIx1LatLo, FIx2LatHi, FIx3LongLo, FIx4LongHi;
  TOnPercentDoneEvent FOnPercentDone;
  bool FOnPercDoneEnabled = true;
  TgdbSystemData FSystemData;

  // Adds under LazyWrite append to the indexes unsorted; the next lookup,
  // save or switch-off sorts them once.
  mutable bool FIndexesUnsorted = false;
  int32_t FMaxItemId = 0;  // largest ItemID in the summary, guards against reuse
  std::unique_ptr<gdb_detail::TSpatialIndex> FSpatial;
  std::unique_ptr<gdb_detail::TGdbFile> FHeldGDD, FHeldGDS;
};

}  // namespace orq
