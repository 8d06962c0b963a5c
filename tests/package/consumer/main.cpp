#include <orqcarta/Orq_GeoBasics.h>

#include <cstdio>

int main() {
  // Prints the WGS 84 reciprocal flattening; the test compares it.
  std::printf("%.6f\n", orq::RecipFlattening(orq::gelWGS84));
  return 0;
}
