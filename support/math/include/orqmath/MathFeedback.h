// Progress and abort hooks of long computations (fits, solvers). A long
// computation adds 1 to ProcStat per step, calls MathFeedBackProc with it when
// one is set, and stops early when AbortMathProc is true.
#pragma once

#include <functional>

namespace orq {

using TMathFeedBackProc = std::function<void(double ProcStat)>;

extern double ProcStat;
extern TMathFeedBackProc MathFeedBackProc;
extern bool AbortMathProc;

}  // namespace orq
