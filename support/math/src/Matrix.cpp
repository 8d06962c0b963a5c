#include "orqmath/Matrix.h"

#include <algorithm>
#include <limits>
#include <new>

#include "orqmath/MathError.h"

namespace orq {

namespace {

// Upper limit of elements, well below what size_t arithmetic can hold on a
// 32-bit build.
constexpr std::size_t kMaxElements = std::size_t{1} << 28;

[[noreturn]] void IndexError(const char* What, int Index, int Size) {
  throw EOrqMathError(std::string(What) + " index " + std::to_string(Index) + " out of range 1.." +
                      std::to_string(Size));
}

}  // namespace

TMatrix::TMatrix(int Columns, int Rows) { Resize(Columns, Rows); }

void TMatrix::Resize(int Columns, int Rows) {
  if (Columns < 0 || Rows < 0)
    throw EOrqMathError("TMatrix: invalid size " + std::to_string(Columns) + " x " + std::to_string(Rows));
  const std::size_t count = static_cast<std::size_t>(Columns) * static_cast<std::size_t>(Rows);
  if (Columns != 0 && (count / static_cast<std::size_t>(Columns) != static_cast<std::size_t>(Rows) || count > kMaxElements))
    throw EOrqMathError("TMatrix: size " + std::to_string(Columns) + " x " + std::to_string(Rows) + " too large");
  std::vector<double> data;
  try {
    data.assign(count, 0.0);
  } catch (const std::bad_alloc&) {
    throw EOrqMathError("TMatrix: insufficient memory");
  }
  const int keep_cols = std::min(Columns, FColumns), keep_rows = std::min(Rows, FRows);
  for (int r = 0; r < keep_rows; ++r)
    for (int c = 0; c < keep_cols; ++c)
      data[static_cast<std::size_t>(r) * static_cast<std::size_t>(Columns) + static_cast<std::size_t>(c)] =
          FData[static_cast<std::size_t>(r) * static_cast<std::size_t>(FColumns) + static_cast<std::size_t>(c)];
  FData.swap(data);
  FColumns = Columns;
  FRows = Rows;
}

std::size_t TMatrix::Offset(int Column, int Row) const {
  if (Column < 1 || Column > FColumns) IndexError("TMatrix: column", Column, FColumns);
  if (Row < 1 || Row > FRows) IndexError("TMatrix: row", Row, FRows);
  return static_cast<std::size_t>(Row - 1) * static_cast<std::size_t>(FColumns) + static_cast<std::size_t>(Column - 1);
}

void TMatrix::SetVal(int Column, int Row, double Value) { FData[Offset(Column, Row)] = Value; }

double TMatrix::GetVal(int Column, int Row) const { return FData[Offset(Column, Row)]; }

void TMatrix::Fill(double Value) { std::fill(FData.begin(), FData.end(), Value); }

void TMatrix::Clone(const TMatrix* Source) {
  if (!Source) throw EOrqMathError("TMatrix: cannot clone from nothing");
  if (Source == this) return;
  FData = Source->FData;
  FColumns = Source->FColumns;
  FRows = Source->FRows;
}

void TMatrix::Assign(TPersistent* Source) {
  if (auto* m = dynamic_cast<TMatrix*>(Source)) {
    Clone(m);
    return;
  }
  TPersistent::Assign(Source);
}

void TVector::SetVecSize(int Size) {
  if (Size < 0) throw EOrqMathError("TVector: invalid size " + std::to_string(Size));
  if (static_cast<std::size_t>(Size) > kMaxElements) throw EOrqMathError("TVector: size " + std::to_string(Size) + " too large");
  FData.resize(static_cast<std::size_t>(Size), 0.0);
}

void TVector::SetVal(int Index, double Value) {
  if (Index < 1 || Index > NrOfElem()) IndexError("TVector:", Index, NrOfElem());
  FData[static_cast<std::size_t>(Index - 1)] = Value;
}

double TVector::GetVal(int Index) const {
  if (Index < 1 || Index > NrOfElem()) IndexError("TVector:", Index, NrOfElem());
  return FData[static_cast<std::size_t>(Index - 1)];
}

void TVector::Fill(double Value) { std::fill(FData.begin(), FData.end(), Value); }

}  // namespace orq
