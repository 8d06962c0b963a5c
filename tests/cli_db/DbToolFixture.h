// A scratch directory with a database in it, the tool run on it, and the
// library's view of what the tool wrote.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "ToolRunner.h"
#include "orqcarta/Orq_GeoDB.h"

namespace orq::cli::test {

namespace fs = std::filesystem;

class DbTool : public ::testing::Test {
 protected:
  DbTool() {
    static std::atomic<int> counter{0};
    Dir = fs::temp_directory_path() / ("orqcarta_db_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    fs::remove_all(Dir);
    fs::create_directories(Dir);
    Base = (Dir / "geo").string();
  }
  ~DbTool() override {
    std::error_code ec;
    fs::remove_all(Dir, ec);
  }

  std::string File(const std::string& Name) const { return (Dir / Name).string(); }
  std::string Quoted(const std::string& Path) const { return "'" + Path + "'"; }

  // "db <Command> <database> <Arguments>"
  TToolRun Db(const std::string& Command, const std::string& Arguments = "", const std::string& Input = "") {
    return RunTool("db " + Command + " " + Quoted(Base) + " " + Arguments, Input);
  }
  void Create() { ASSERT_EQ(Db("create").ExitCode, 0); }
  // The position an add command reports ("added ...: position P, ItemID I").
  static int AddedPosition(const TToolRun& Run) {
    const auto at = Run.Out.find("position ");
    return at == std::string::npos ? -1 : std::stoi(Run.Out.substr(at + 9));
  }

  // The database as the library sees it now.
  struct TOpened {
    TGeoDB Db;
    explicit TOpened(const std::string& Name) { Db.SetDBName(Name); }
  };
  std::unique_ptr<TOpened> Open() { return std::make_unique<TOpened>(Base); }

  static std::string ReadAll(const std::string& Path) {
    std::ifstream in(Path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static void Write(const std::string& Path, const std::string& Bytes) {
    std::ofstream(Path, std::ios::binary) << Bytes;
  }
  static bool Contains(const std::string& Text, const std::string& Part) { return Text.find(Part) != std::string::npos; }

  fs::path Dir;
  std::string Base;
};

}  // namespace orq::cli::test
