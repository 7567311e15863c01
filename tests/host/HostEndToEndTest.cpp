// tidewater-host as a user runs it: the real executable, its output and its
// exit code.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
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
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int CountLines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

int SummaryNumber(const std::string& output, const std::string& pattern) {
  std::smatch found;
  if (!std::regex_search(output, found, std::regex(pattern))) return -1;
  return std::stoi(found[1]);
}

// Each test has a scratch folder of its own, removed with everything in it.
class HostEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    mScratch = fs::temp_directory_path() / ("tidewater-host-test-" + std::to_string(getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(mScratch);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(mScratch, ignored);
  }
  fs::path mScratch;
};

}  // namespace

TEST_F(HostEndToEnd, DefaultMatchFloodsTheShipAndEndsWithASummary) {
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

TEST_F(HostEndToEnd, TheSeedAloneDecidesTheMatch) {
  auto logOf = [this](const std::string& arguments, const std::string& name) {
    const fs::path log = mScratch / name;
    EXPECT_EQ(RunHost(arguments + " --max-seconds 60 --log '" + log.string() + "'").exitCode, 0) << arguments;
    return ReadFile(log);
  };
  const std::string log = logOf("play --seed 12", "first.log");
  EXPECT_GT(CountLines(log), 20);
  EXPECT_EQ(log, logOf("--seed 12", "second.log"));
  EXPECT_NE(log, logOf("--seed 13", "other.log"));
}

TEST_F(HostEndToEnd, FewerPlayersATimeCapAndTheTextView) {
  const HostRun run = RunHost("--players 2 --max-seconds 12 --seed 3 --view text");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  for (const char* line : {"--max-seconds is up", "Player3  sat this match out", "Player4  sat this match out",
                           "Match over after 12.0 s", "-- 10.0 s --"}) {
    EXPECT_NE(run.output.find(line), std::string::npos) << line << "\n" << run.output;
  }
  // The view draws walls, doors, pods and the players by number.
  for (const char* glyph : {"####", "+", "P", "1", "2"}) EXPECT_NE(run.output.find(glyph), std::string::npos) << glyph;
}

TEST_F(HostEndToEnd, RealTimeRunsAtTheEnginesOwnPace) {
  const auto start = std::chrono::steady_clock::now();
  const HostRun run = RunHost("--realtime --max-seconds 0.5");
  const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_GE(seconds, 0.45);
  // Not a terminal: no progress line is drawn.
  EXPECT_EQ(run.output.find('\r'), std::string::npos);
}

TEST_F(HostEndToEnd, CheckPassesTheSampleLevelAndReportsBrokenValuesAndUnknownComponentsWithTheirLines) {
  const HostRun clean = RunHost("check");
  EXPECT_EQ(clean.exitCode, 0) << clean.output;
  EXPECT_NE(clean.output.find("Ship: "), std::string::npos);
  EXPECT_NE(clean.output.find(": clean"), std::string::npos) << clean.output;

  const fs::path level = mScratch / "Levels" / "Ship";
  fs::create_directories(level.parent_path());
  fs::copy(fs::path(TIDEWATER_SOURCE_DIR) / "Resources" / "Levels" / "Ship", level, fs::copy_options::recursive);
  // Give one room a component nobody knows and break a value in a later one
  // (a value that does not parse ends the read, so the order matters).
  std::string text = ReadFile(level / "Ship.txt");
  const std::string anchor = "\tmName : Galley\n";
  const std::string roomID = "m_RoomID : 3\n";
  ASSERT_NE(text.find(anchor), std::string::npos);
  ASSERT_NE(text.find(roomID), std::string::npos);
  text.insert(text.find(anchor) + anchor.size(), "\tHoverEngine\n\t{\n\t\tthrust : 9\n\t}\n");
  text.replace(text.find(roomID), roomID.size(), "m_RoomID : three\n");
  std::ofstream(level / "Ship.txt") << text;
  const int unknownLine = CountLines(text.substr(0, text.find("\tHoverEngine"))) + 1;
  const int brokenLine = CountLines(text.substr(0, text.find("m_RoomID : three"))) + 1;

  const HostRun run = RunHost("check --resources '" + mScratch.string() + "'");
  EXPECT_NE(run.exitCode, 0) << run.output;
  for (const std::string& expected : {"Ship.txt:" + std::to_string(unknownLine) + ": ", std::string("HoverEngine"),
                                      "Ship.txt:" + std::to_string(brokenLine) + ": ", std::string("problem")}) {
    EXPECT_NE(run.output.find(expected), std::string::npos) << expected << "\n" << run.output;
  }
}

// Each mistake gives a short message naming it on stderr, and no match.
TEST_F(HostEndToEnd, AMissingLevelOrABadFlagGivesOneClearMessage) {
  const struct {
    const char* arguments;
    const char* mention;
    int maxLines;
  } mistakes[] = {{"--level Atlantis", "no level named 'Atlantis'", 1},
                  {"check --level Atlantis", "Atlantis", 1},
                  {"--warp-speed", "--warp-speed", 2},
                  {"--players 9", "--players", 2},
                  {"--resources /nonexistent/tidewater", "/nonexistent/tidewater", 1}};
  for (const auto& mistake : mistakes) {
    SCOPED_TRACE(mistake.arguments);
    const HostRun run = RunHost(mistake.arguments, true);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.output.find(mistake.mention), std::string::npos) << run.output;
    EXPECT_GE(CountLines(run.output), 1) << run.output;
    EXPECT_LE(CountLines(run.output), mistake.maxLines) << run.output;
  }
}
