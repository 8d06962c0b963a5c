#include "ToolRunner.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace orq::cli::test {

namespace {
std::vector<std::string> SplitLines(const std::string& Text) {
  std::vector<std::string> lines;
  std::istringstream in(Text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string TempFile() {
  char name[] = "/tmp/orqcarta_cli_test_XXXXXX";
  const int fd = mkstemp(name);
  if (fd >= 0) close(fd);
  return name;
}

std::string ReadFile(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
}  // namespace

std::vector<std::string> TToolRun::OutLines() const { return SplitLines(Out); }
std::vector<std::string> TToolRun::ErrLines() const { return SplitLines(Err); }

TToolRun RunTool(const std::string& Arguments, const std::string& Input) {
  const std::string inPath = TempFile(), errPath = TempFile();
  std::ofstream(inPath, std::ios::binary) << Input;
  const std::string command = "'" + std::string(ORQCARTA_BIN) + "' " + Arguments + " <" + inPath + " 2>" + errPath;
  TToolRun run;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.Out.append(buffer, n);
    const int status = pclose(pipe);
    run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  run.Err = ReadFile(errPath);
  std::remove(inPath.c_str());
  std::remove(errPath.c_str());
  return run;
}

std::vector<std::string> Fields(const std::string& Line) {
  std::vector<std::string> fields;
  std::istringstream in(Line);
  for (std::string field; in >> field;) fields.push_back(field);
  return fields;
}

std::vector<double> Numbers(const std::string& Line) {
  std::vector<double> numbers;
  for (const std::string& field : Fields(Line)) {
    char* end = nullptr;
    const double value = std::strtod(field.c_str(), &end);
    EXPECT_TRUE(end && *end == '\0') << "not a number: " << field << " in: " << Line;
    numbers.push_back(value);
  }
  return numbers;
}

}  // namespace orq::cli::test
