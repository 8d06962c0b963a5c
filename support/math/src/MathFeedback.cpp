#include "orqmath/MathFeedback.h"

namespace orq {

double ProcStat = 0;
TMathFeedBackProc MathFeedBackProc;
bool AbortMathProc = false;

}  // namespace orq
