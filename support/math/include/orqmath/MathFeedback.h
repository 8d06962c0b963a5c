// Progress and abort hooks of long computations (fits, solvers). A long
// computation adds 1 to ProcStat per step, calls MathFeedBackProc with it when
// one is set, and stops early when AbortMathProc is true. Those three are
// process-wide; a computation that must not share them (another thread, a
// fit started from a progress handler) is given a TMathFeedback of its own.
#pragma once

#include <functional>

namespace orq {

using TMathFeedBackProc = std::function<void(double ProcStat)>;

extern double ProcStat;
extern TMathFeedBackProc MathFeedBackProc;
extern bool AbortMathProc;

// Where a computation counts its steps, whom it tells and what stops it. The
// default is the process-wide trio above. Proc and Abort may be null.
struct TMathFeedback {
  double* Stat = &ProcStat;
  const TMathFeedBackProc* Proc = &MathFeedBackProc;
  const bool* Abort = &AbortMathProc;

  // Counts one step, reports it, and tells whether to stop.
  bool Step() const {
    *Stat += 1;
    if (Proc && *Proc) (*Proc)(*Stat);
    return Abort && *Abort;
  }
};

}  // namespace orq
