// A one-line progress bar on standard error for the long database commands
// (bulk imports, large BLOBs, garbage collection). It takes percentages the
// way TGeoDB reports them through OnPercentDone, so it plugs straight in.
#pragma once

#include <iosfwd>

#include "orqbase/BaseTypes.h"

namespace orq::cli {

class TProgressBar {
 public:
  // Nothing is drawn unless Enabled; see ShouldShowProgress.
  TProgressBar(std::ostream& Err, bool Enabled);
  ~TProgressBar();
  TProgressBar(const TProgressBar&) = delete;
  TProgressBar& operator=(const TProgressBar&) = delete;

  // Redraws the bar when the percentage (clamped to 0..100) changes.
  void Update(int Percent);
  // Ends the bar's line so that a message can follow on a line of its own;
  // the next Update draws the bar again below it.
  void Break();
  // Draws 100 % and ends the line, if anything was drawn.
  void Finish();

  // A handler for TGeoDB::SetOnPercentDone that feeds this bar. The bar
  // must outlive the database's use of the handler.
  TOnPercentDoneEvent Handler();

 private:
  void Draw(int Percent);

  std::ostream& FErr;
  bool FEnabled;
  bool FLineOpen = false;  // a bar is on the current line
  int FShown = -1;         // percentage on screen, -1 for none
};

// A bar is shown when asked for (--progress) or when standard error is a
// terminal, where it does not end up in logs.
bool ShouldShowProgress(bool Requested);

}  // namespace orq::cli
