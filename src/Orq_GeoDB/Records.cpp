#include "orqcarta/Orq_GeoDB.h"
#include "orqplatform/DateTime.h"

namespace orq {

void ClearGdbData(TgdbData& GdbData) {
  GdbData.ItemId = 0;
  GdbData.Name = std::string();  // written as 59 spaces
  GdbData.Altitude = 0;
  GdbData.ClassFlag = 0;
  GdbData.Tag = 0;
  GdbData.BlobOffset = -1;
  GdbData.Date = Now();
  GdbData.StateFlag = 0;
  GdbData.LatLow = 0;
  GdbData.LatHigh = 0;
  GdbData.LongLow = 0;
  GdbData.LongHigh = 0;
  GdbData.ItemKind = gitUndefined;
  GdbData.Closed = false;
}

void ClearMetaInfo(TMetaInfo& MetaInfo) { MetaInfo = TMetaInfo(); }

TSCoords ExtractLocation(const TgdbData& GdbData) { return TSCoords{GdbData.LatLow, GdbData.LongLow}; }

}  // namespace orq
