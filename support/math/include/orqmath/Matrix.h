// Dense matrices and vectors of doubles, indexed from 1.
//
// Element access is checked: an index outside the current size raises
// EOrqMathError, so a stale size never reads or writes out of bounds.
#pragma once

#include <string>
#include <vector>

#include "orqplatform/Components.h"

namespace orq {

class TMatrix : public TPersistent {
 public:
  TMatrix() = default;
  // A Columns x Rows matrix of zeros.
  TMatrix(int Columns, int Rows);

  std::string ClassName() const override { return "TMatrix"; }

  // New size. Elements whose column and row exist in both sizes keep their
  // values, new ones are 0. Zero columns or rows give an empty matrix; a
  // negative size, or one too large to allocate, raises EOrqMathError.
  void Resize(int Columns, int Rows);
  int NrOfColumns() const { return FColumns; }
  int NrOfRows() const { return FRows; }

  // Column 1..NrOfColumns(), Row 1..NrOfRows().
  void SetVal(int Column, int Row, double Value);
  double GetVal(int Column, int Row) const;
  // Every element set to Value.
  void Fill(double Value);

  // Both copy size and contents of Source. Assign also accepts any
  // TPersistent that knows how to copy itself into a matrix, and raises
  // EConvertError for one that does not (or for nullptr); Clone raises
  // EOrqMathError for nullptr.
  void Clone(const TMatrix* Source);
  void Assign(TPersistent* Source) override;

 private:
  std::size_t Offset(int Column, int Row) const;

  int FColumns = 0;
  int FRows = 0;
  std::vector<double> FData;  // row-major
};

class TVector {
 public:
  TVector() = default;
  explicit TVector(int Size) { SetVecSize(Size); }

  // New number of elements; kept ones keep their values, new ones are 0.
  // A negative size raises EOrqMathError.
  void SetVecSize(int Size);
  int NrOfElem() const { return static_cast<int>(FData.size()); }
  // Index 1..NrOfElem().
  void SetVal(int Index, double Value);
  double GetVal(int Index) const;
  void Fill(double Value);

 private:
  std::vector<double> FData;
};

}  // namespace orq
