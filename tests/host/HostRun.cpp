#include "host/HostRun.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

HostRun RunHost(const std::string& arguments, bool stderrOnly) {
  const std::string command =
      std::string("'") + TIDEWATER_HOST_EXE + "' " + arguments + (stderrOnly ? " 2>&1 >/dev/null" : " 2>&1");
  HostRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> buffer{};
  std::size_t count = 0;
  while ((count = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.output.append(buffer.data(), count);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

int CountLines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

void HostTest::SetUp() {
  mScratch = fs::temp_directory_path() / ("tidewater-host-test-" + std::to_string(getpid()) + "-" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::create_directories(mScratch);
}

void HostTest::TearDown() {
  std::error_code ignored;
  fs::remove_all(mScratch, ignored);
}
