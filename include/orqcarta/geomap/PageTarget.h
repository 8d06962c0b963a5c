// Where printed map pages go. A page is a bitmap with a resolution; the map
// draws onto the page begun last. TPngPageTarget writes each page as a PNG;
// a host can put a real printer behind the same interface.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace orq {

class TBitmap;

class TPageTarget {
 public:
  virtual ~TPageTarget() = default;
  // Starts a page; Page() is its bitmap until EndPage.
  virtual void BeginPage() = 0;
  // The page begun last, or nullptr outside BeginPage .. EndPage.
  virtual TBitmap* Page() = 0;
  // Page pixels per inch.
  virtual int PixelsPerInch() const = 0;
  // Finishes the page begun last.
  virtual void EndPage() = 0;
};

// White pages of a fixed size, written as FileStem + "-<n>.png" (n from 1)
// at EndPage. Raises EOrqGeoMapError for a page size that is not positive
// or a resolution below 1, and when a page cannot be written.
class TPngPageTarget : public TPageTarget {
 public:
  TPngPageTarget(std::string FileStem, int PageWidth, int PageHeight, int PixelsPerInch);
  ~TPngPageTarget() override;

  void BeginPage() override;
  TBitmap* Page() override { return FPage.get(); }
  int PixelsPerInch() const override { return FPpi; }
  void EndPage() override;

  // The files written so far, in order.
  const std::vector<std::string>& PagesWritten() const { return FWritten; }

 private:
  std::string FStem;
  int FWidth, FHeight, FPpi;
  std::unique_ptr<TBitmap> FPage;
  std::vector<std::string> FWritten;
};

}  // namespace orq
