#include "orqbase/BitField.h"

#include <algorithm>
#include <string>

#include "orqbase/OrqError.h"

namespace orq {

void TBitFld::SetSize(int Size) {
  if (Size < 0) throw EOrqError("TBitFld: invalid size " + std::to_string(Size));
  FBits.resize(static_cast<std::size_t>(Size), false);
}

void TBitFld::Clear() { std::fill(FBits.begin(), FBits.end(), false); }

void TBitFld::Check(int Index) const {
  if (Index < 1 || Index > Size())
    throw EOrqError("TBitFld: index " + std::to_string(Index) + " out of range 1.." + std::to_string(Size()));
}

void TBitFld::SetBit(int Index, bool Flag) {
  Check(Index);
  FBits[static_cast<std::size_t>(Index - 1)] = Flag;
}

bool TBitFld::GetBit(int Index) const {
  Check(Index);
  return FBits[static_cast<std::size_t>(Index - 1)];
}

int TBitFld::CountSet() const { return static_cast<int>(std::count(FBits.begin(), FBits.end(), true)); }

}  // namespace orq
