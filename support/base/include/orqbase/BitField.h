// TBitFld: a resizable array of flags numbered from 1.
#pragma once

#include <cstdint>
#include <vector>

namespace orq {

class TBitFld {
 public:
  TBitFld() = default;
  explicit TBitFld(int Size) { SetSize(Size); }

  // Number of flags; growing adds false flags, shrinking drops the highest.
  // A negative size raises EOrqError.
  void SetSize(int Size);
  int Size() const { return static_cast<int>(FBits.size()); }
  // All flags false.
  void Clear();
  // Index 1..Size(); outside that range raises EOrqError.
  void SetBit(int Index, bool Flag);
  bool GetBit(int Index) const;
  // Number of flags that are true.
  int CountSet() const;

 private:
  void Check(int Index) const;
  std::vector<bool> FBits;
};

}  // namespace orq
