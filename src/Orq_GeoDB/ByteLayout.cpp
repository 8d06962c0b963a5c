#include "ByteLayout.h"

#include <algorithm>

#include "Cp1252.h"

namespace orq::gdb_detail {

void PutShortString(uint8_t* p, std::size_t N, const std::string& Utf8, uint8_t Fill) {
  std::string bytes = Utf8ToCp1252(Utf8);
  if (bytes.size() > N) bytes.resize(N);
  p[0] = static_cast<uint8_t>(bytes.size());
  std::memcpy(p + 1, bytes.data(), bytes.size());
  std::memset(p + 1 + bytes.size(), Fill, N - bytes.size());
}

std::string GetShortString(const uint8_t* p, std::size_t N) {
  const std::size_t len = std::min<std::size_t>(p[0], N);
  return Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(p + 1), len));
}

void EncodeSystemData(const TgdbSystemData& Rec, uint8_t* Out) {
  std::memset(Out, 0, kHeaderSize);
  PutI32(Out + 0, Rec.HighestID);
  PutI32(Out + 4, Rec.DBVersion);
  PutShortString(Out + 8, 63, Rec.Description, 0);
  PutI32(Out + 72, Rec.Revision);
  std::memcpy(Out + 76, Rec.Reserved.data(), Rec.Reserved.size());
}

TgdbSystemData DecodeSystemData(const uint8_t* In) {
  TgdbSystemData r;
  r.HighestID = GetI32(In + 0);
  r.DBVersion = GetI32(In + 4);
  r.Description = GetShortString(In + 8, 63);
  r.Revision = GetI32(In + 72);
  std::memcpy(r.Reserved.data(), In + 76, r.Reserved.size());
  return r;
}

void EncodeGdbData(const TgdbData& Rec, uint8_t* Out) {
  std::memset(Out, 0, kSumRecSize);
  PutI32(Out + 0, Rec.ItemId);
  PutShortString(Out + 4, TgdbName::Capacity, Rec.Name, 0x20);
  PutF32(Out + 64, Rec.Altitude);
  Out[68] = Rec.ClassFlag;
  PutI32(Out + 72, Rec.Tag);
  PutI32(Out + 76, Rec.BlobOffset);
  PutF64(Out + 80, Rec.Date);
  PutI32(Out + 88, Rec.StateFlag);
  PutF32(Out + 92, Rec.LatLow);
  PutF32(Out + 96, Rec.LatHigh);
  PutF32(Out + 100, Rec.LongLow);
  PutF32(Out + 104, Rec.LongHigh);
  Out[108] = static_cast<uint8_t>(Rec.ItemKind);
  PutI32(Out + 112, Rec.NumPoints);
  Out[116] = Rec.Closed ? 1 : 0;
}

TgdbData DecodeGdbData(const uint8_t* In) {
  TgdbData r;
  r.ItemId = GetI32(In + 0);
  r.Name = GetShortString(In + 4, TgdbName::Capacity);
  r.Altitude = GetF32(In + 64);
  r.ClassFlag = In[68];
  r.Tag = GetI32(In + 72);
  r.BlobOffset = GetI32(In + 76);
  r.Date = GetF64(In + 80);
  r.StateFlag = GetI32(In + 88);
  r.LatLow = GetF32(In + 92);
  r.LatHigh = GetF32(In + 96);
  r.LongLow = GetF32(In + 100);
  r.LongHigh = GetF32(In + 104);
  r.ItemKind = static_cast<TgdbItem>(In[108]);
  r.NumPoints = GetI32(In + 112);
  r.Closed = In[116] != 0;
  return r;
}

void EncodeMetaInfo(const TMetaInfo& Rec, uint8_t* Out) {
  std::memset(Out, 0, kMetaSize);
  PutShortString(Out + 0, 255, Rec.Keywords, 0);
  PutShortString(Out + 256, 127, Rec.Caption, 0);
  PutShortString(Out + 384, 127, Rec.FilePath, 0);
  PutShortString(Out + 512, 255, Rec.Descriptor, 0);
  PutShortString(Out + 768, 255, Rec.Comment, 0);
}

TMetaInfo DecodeMetaInfo(const uint8_t* In) {
  TMetaInfo r;
  r.Keywords = GetShortString(In + 0, 255);
  r.Caption = GetShortString(In + 256, 127);
  r.FilePath = GetShortString(In + 384, 127);
  r.Descriptor = GetShortString(In + 512, 255);
  r.Comment = GetShortString(In + 768, 255);
  return r;
}

}  // namespace orq::gdb_detail
