// Placeholder until the text engine lands.
#include "orqplatform/Canvas.h"
namespace orq {
void TCanvas::TextOut(int, int, const std::string&) {}
TPoint TCanvas::TextExtent(const std::string&) { return {}; }
}
