// Running the peer command-line tools (GeoConvert, cs2cs) on the same input
// as orqcarta.
#pragma once

#include <string>

namespace orq::cli::test {

// Standard output of a shell command fed Input; standard error is dropped.
std::string RunProgram(const std::string& Command, const std::string& Input);

// Whether a program is on the PATH (the peers come with the test packages).
bool HaveProgram(const std::string& Name);

}  // namespace orq::cli::test
