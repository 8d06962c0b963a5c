// Runs the built orqcarta binary with arguments and standard input, and
// collects what it printed and its exit code.
#pragma once

#include <string>
#include <vector>

namespace orq::cli::test {

struct TToolRun {
  std::string Out;
  std::string Err;
  int ExitCode = -1;
  std::vector<std::string> OutLines() const;
  std::vector<std::string> ErrLines() const;
};

// Arguments go through the shell as written ("utm -i 32N 500000 0").
TToolRun RunTool(const std::string& Arguments, const std::string& Input = "");

// The numbers of an output line (blank-separated); fails the test on a
// field that is not a number.
std::vector<double> Numbers(const std::string& Line);
// The blank-separated fields of a line.
std::vector<std::string> Fields(const std::string& Line);

}  // namespace orq::cli::test
