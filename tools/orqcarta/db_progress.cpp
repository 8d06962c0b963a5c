#include "db_progress.h"

#include <unistd.h>

#include <algorithm>
#include <ostream>
#include <string>

namespace orq::cli {

namespace {
constexpr int BarWidth = 40;
}

TProgressBar::TProgressBar(std::ostream& Err, bool Enabled) : FErr(Err), FEnabled(Enabled) {}

TProgressBar::~TProgressBar() {
  // A command that fails half-way leaves the cursor at the start of a line
  // for its error message.
  Break();
}

void TProgressBar::Update(int Percent) {
  if (!FEnabled) return;
  Percent = std::clamp(Percent, 0, 100);
  if (FLineOpen && Percent == FShown) return;
  Draw(Percent);
}

void TProgressBar::Draw(int Percent) {
  const int filled = Percent * BarWidth / 100;
  std::string line = "\r[";
  line.append(static_cast<std::size_t>(filled), '#');
  line.append(static_cast<std::size_t>(BarWidth - filled), '.');
  line += "] ";
  const std::string number = std::to_string(Percent);
  line.append(3 - std::min<std::size_t>(3, number.size()), ' ');
  line += number + " %";
  FErr << line << std::flush;
  FLineOpen = true;
  FShown = Percent;
}

void TProgressBar::Break() {
  if (!FLineOpen) return;
  FErr << '\n' << std::flush;
  FLineOpen = false;
}

void TProgressBar::Finish() {
  if (!FEnabled || FShown < 0) return;
  if (!FLineOpen || FShown != 100) Draw(100);
  Break();
}

TOnPercentDoneEvent TProgressBar::Handler() {
  return [this](TObject*, int Percent) { Update(Percent); };
}

bool ShouldShowProgress(bool Requested) { return Requested || isatty(STDERR_FILENO) == 1; }

}  // namespace orq::cli
