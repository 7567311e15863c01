#pragma once
// Running tidewater-host as a user does, for the host's end-to-end tests:
// the real executable, its output and its exit code, in a scratch folder
// of each test's own.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

struct HostRun {
  int exitCode = -1;
  std::string output;
};

// Runs the host with `arguments` (already shell-quoted where needed) from
// the build tree, stdout and stderr together (or stderr alone).
HostRun RunHost(const std::string& arguments, bool stderrOnly = false);

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& text);
int CountLines(const std::string& text);
// Single quotes for the shell.
std::string Quoted(const std::filesystem::path& path);

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::filesystem::path mScratch;
};
