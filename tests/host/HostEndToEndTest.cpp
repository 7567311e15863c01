// tidewater-host as a user runs it: the real executable, its output and its
// exit code.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct HostRun {
  int exitCode = -1;
  std::string output;
};

// Runs the host with `arguments` (already shell-quoted where needed) from
// the build tree, stdout and stderr together.
HostRun RunHost(const std::string& arguments, bool stderrOnly = false) {
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
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

int CountLines(const std::string& text) {
  int lines = 0;
  for (const char c : text) lines += c == '\n' ? 1 : 0;
  return lines;
}

class ScratchFolder {
 public:
  ScratchFolder() {
    static int counter = 0;
    mPath = fs::temp_directory_path() /
            ("tidewater-host-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    fs::create_directories(mPath);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(mPath, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  [[nodiscard]] const fs::path& Path() const { return mPath; }

 private:
  fs::path mPath;
};

int SummaryNumber(const std::string& output, const std::string& pattern) {
  std::smatch found;
  if (!std::regex_search(output, found, std::regex(pattern))) return -1;
  return std::stoi(found[1]);
}

}  // namespace

TEST(HostEndToEnd, DefaultMatchFloodsTheShipAndEndsWithASummary) {
  const HostRun run = RunHost("");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("Match over after"), std::string::npos) << run.output;
  EXPECT_GE(SummaryNumber(run.output, "Rooms flooded: (\\d+) of 16"), 1) << run.output;
  const int launched = SummaryNumber(run.output, "Escape pods launched: (\\d+)");
  const bool someoneDrowned = run.output.find(" drowned in ") != std::string::npos;
  EXPECT_TRUE(launched >= 1 || someoneDrowned) << run.output;
  // The match shows the game's moving parts on the way.
  for (const char* event :
       {"picks up a power cell", "opens", "flood warning", "water rising", "sound        door opens"}) {
    EXPECT_NE(run.output.find(event), std::string::npos) << event;
  }
}

TEST(HostEndToEnd, TheSeedAloneDecidesTheMatch) {
  ScratchFolder scratch;
  const fs::path first = scratch.Path() / "first.log";
  const fs::path second = scratch.Path() / "second.log";
  const fs::path other = scratch.Path() / "other.log";
  ASSERT_EQ(RunHost("play --seed 12 --max-seconds 60 --log '" + first.string() + "'").exitCode, 0);
  ASSERT_EQ(RunHost("--seed 12 --max-seconds 60 --log '" + second.string() + "'").exitCode, 0);
  ASSERT_EQ(RunHost("--seed 13 --max-seconds 60 --log '" + other.string() + "'").exitCode, 0);
  const std::string log = ReadFile(first);
  EXPECT_GT(CountLines(log), 20);
  EXPECT_EQ(log, ReadFile(second));
  EXPECT_NE(log, ReadFile(other));
}

TEST(HostEndToEnd, FewerPlayersAndATimeCap) {
  const HostRun run = RunHost("--players 2 --max-seconds 10 --seed 3");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("--max-seconds is up"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("Player3  sat this match out"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("Player4  sat this match out"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("Match over after 10.0 s"), std::string::npos) << run.output;
}

TEST(HostEndToEnd, TextViewDrawsTheShipFromAbove) {
  const HostRun run = RunHost("--view text --max-seconds 12");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("-- 10.0 s --"), std::string::npos) << run.output;
  // Walls, doors, pods and the players by number.
  for (const char* glyph : {"####", "+", "P", "1", "2"}) EXPECT_NE(run.output.find(glyph), std::string::npos) << glyph;
}

TEST(HostEndToEnd, RealTimeRunsAtTheEnginesOwnPace) {
  const auto start = std::chrono::steady_clock::now();
  const HostRun run = RunHost("--realtime --max-seconds 0.5");
  const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_GE(seconds, 0.45);
  // Not a terminal: no progress line is drawn.
  EXPECT_EQ(run.output.find('\r'), std::string::npos);
}

TEST(HostEndToEnd, TheSampleLevelChecksClean) {
  const HostRun run = RunHost("check");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("Ship: "), std::string::npos);
  EXPECT_NE(run.output.find(": clean"), std::string::npos) << run.output;
}

TEST(HostEndToEnd, CheckReportsBrokenValuesAndUnknownComponentsWithTheirLines) {
  ScratchFolder scratch;
  const fs::path level = scratch.Path() / "Levels" / "Ship";
  fs::create_directories(level.parent_path());
  fs::copy(fs::path(TIDEWATER_SOURCE_DIR) / "Resources" / "Levels" / "Ship", level, fs::copy_options::recursive);

  // Give one room a component nobody knows and break a value in a later one
  // (a value that does not parse ends the read, so the order matters).
  std::string text = ReadFile(level / "Ship.txt");
  const std::string anchor = "\tmName : Galley\n";
  ASSERT_NE(text.find(anchor), std::string::npos);
  text.insert(text.find(anchor) + anchor.size(), "\tHoverEngine\n\t{\n\t\tthrust : 9\n\t}\n");
  const std::string roomID = "m_RoomID : 3\n";
  ASSERT_NE(text.find(roomID), std::string::npos);
  text.replace(text.find(roomID), roomID.size(), "m_RoomID : three\n");
  const int unknownLine = CountLines(text.substr(0, text.find("\tHoverEngine"))) + 1;
  const int brokenLine = CountLines(text.substr(0, text.find("m_RoomID : three"))) + 1;
  std::ofstream(level / "Ship.txt") << text;

  const HostRun run = RunHost("check --resources '" + scratch.Path().string() + "'");
  EXPECT_NE(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("Ship.txt:" + std::to_string(unknownLine) + ": "), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("HoverEngine"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("Ship.txt:" + std::to_string(brokenLine) + ": "), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("problem"), std::string::npos) << run.output;
}

TEST(HostEndToEnd, AMissingLevelOrABadFlagGivesOneClearMessage) {
  const HostRun missing = RunHost("--level Atlantis", true);
  EXPECT_NE(missing.exitCode, 0);
  EXPECT_EQ(CountLines(missing.output), 1) << missing.output;
  EXPECT_NE(missing.output.find("no level named 'Atlantis'"), std::string::npos) << missing.output;

  const HostRun checkMissing = RunHost("check --level Atlantis", true);
  EXPECT_NE(checkMissing.exitCode, 0);
  EXPECT_NE(checkMissing.output.find("Atlantis"), std::string::npos) << checkMissing.output;

  const HostRun badFlag = RunHost("--warp-speed", true);
  EXPECT_NE(badFlag.exitCode, 0);
  EXPECT_NE(badFlag.output.find("--warp-speed"), std::string::npos) << badFlag.output;
  EXPECT_LE(CountLines(badFlag.output), 2) << badFlag.output;

  const HostRun tooMany = RunHost("--players 9", true);
  EXPECT_NE(tooMany.exitCode, 0);
  EXPECT_NE(tooMany.output.find("--players"), std::string::npos) << tooMany.output;

  const HostRun noFolder = RunHost("--resources /nonexistent/tidewater", true);
  EXPECT_NE(noFolder.exitCode, 0);
  EXPECT_EQ(CountLines(noFolder.output), 1) << noFolder.output;
}

TEST(HostEndToEnd, HelpListsTheCommandsAndFlags) {
  const HostRun run = RunHost("--help");
  EXPECT_EQ(run.exitCode, 0);
  for (const char* word : {"play", "check", "--level", "--players", "--seed", "--realtime", "--max-seconds", "--log",
                           "--view", "--resources"}) {
    EXPECT_NE(run.output.find(word), std::string::npos) << word;
  }
}
