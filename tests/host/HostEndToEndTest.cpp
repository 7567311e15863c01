// tidewater-host as a user runs it: the real executable, its output and its
// exit code.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <thread>

#include "host/HostRun.h"

namespace fs = std::filesystem;

namespace {

int SummaryNumber(const std::string& output, const std::string& pattern) {
  std::smatch found;
  if (!std::regex_search(output, found, std::regex(pattern))) return -1;
  return std::stoi(found[1]);
}

// The summary block a match prints, from "Match over" to the pickups line.
std::string SummaryOf(const std::string& output) {
  const std::size_t start = output.find("Match over after");
  const std::size_t pickups = output.find("Picked up", start);
  if (start == std::string::npos || pickups == std::string::npos) return "";
  return output.substr(start, output.find('\n', pickups) - start);
}

using HostEndToEnd = HostTest;

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
                           "Match over after 12.0 s", "-- 10.0 s --", "-- 12.0 s (end) --", "north is up"}) {
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
                  {"--max-seconds nan", "--max-seconds", 2},
                  {"--max-seconds -5", "--max-seconds", 2},
                  {"--resources /nonexistent/tidewater", "/nonexistent/tidewater", 1},
                  {"--level ../Ship", "--level", 2},
                  {"check --level /etc", "--level", 2},
                  {"describe Transfrom", "did you mean 'Transform'", 1},
                  {"new-level Fresh --rooms 1000", "--rooms", 2}};
  for (const auto& mistake : mistakes) {
    SCOPED_TRACE(mistake.arguments);
    const HostRun run = RunHost(mistake.arguments, true);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.output.find(mistake.mention), std::string::npos) << run.output;
    EXPECT_GE(CountLines(run.output), 1) << run.output;
    EXPECT_LE(CountLines(run.output), mistake.maxLines) << run.output;
  }
}

// Ctrl-C: the match ends at the next frame as any ending does: the log is
// complete, the summary printed, and the exit code says it was a signal.
TEST_F(HostEndToEnd, CtrlCEndsARealTimeMatchWithItsLogAndSummary) {
  const fs::path log = mScratch / "match.log";
  const fs::path out = mScratch / "out.txt";
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const std::string logArg = log.string();
    FILE* redirected = freopen(out.string().c_str(), "w", stdout);
    if (redirected == nullptr) _exit(99);
    const std::string recordArg = (mScratch / "match.rec").string();
    execl(TIDEWATER_HOST_EXE, TIDEWATER_HOST_EXE, "--realtime", "--log", logArg.c_str(), "--record",
          recordArg.c_str(), static_cast<char*>(nullptr));
    _exit(98);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  kill(child, SIGINT);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 130);
  const std::string output = ReadFile(out);
  EXPECT_NE(output.find("Match over after"), std::string::npos) << output;
  EXPECT_NE(output.find("(interrupted)"), std::string::npos) << output;
  const std::string written = ReadFile(log);
  EXPECT_EQ(written.rfind("# tidewater-host event log", 0), 0u) << written;
  EXPECT_NE(written.find("match        over: interrupted\n"), std::string::npos) << written;

  // The recording of a real-time match stopped by Ctrl-C replays to the same end.
  const fs::path replayed = mScratch / "replay.log";
  const HostRun replay = RunHost("replay " + Quoted(mScratch / "match.rec") + " --log " + Quoted(replayed));
  EXPECT_EQ(replay.exitCode, 0) << replay.output;
  EXPECT_EQ(ReadFile(replayed), written);
  EXPECT_EQ(SummaryOf(replay.output), SummaryOf(output));
}

TEST_F(HostEndToEnd, ARecordedMatchReplaysToTheSameLogAndSummaryAndABrokenRecordingSaysWhere) {
  const fs::path recording = mScratch / "match.rec";
  const HostRun played =
      RunHost("--seed 5 --max-seconds 60 --record " + Quoted(recording) + " --log " + Quoted(mScratch / "a.log"));
  ASSERT_EQ(played.exitCode, 0) << played.output;
  const HostRun replayed = RunHost("replay " + Quoted(recording) + " --log " + Quoted(mScratch / "b.log"));
  ASSERT_EQ(replayed.exitCode, 0) << replayed.output;
  EXPECT_EQ(ReadFile(mScratch / "b.log"), ReadFile(mScratch / "a.log"));
  ASSERT_NE(SummaryOf(played.output), "");
  EXPECT_EQ(SummaryOf(replayed.output), SummaryOf(played.output));
  EXPECT_TRUE(std::regex_search(replayed.output, std::regex("Replayed \\d+ frames .* real time"))) << replayed.output;

  // Cut short, as a crash leaves it: the frames before the cut replay, the same as far as they go.
  const std::string bytes = ReadFile(recording);
  WriteFile(mScratch / "cut.rec", bytes.substr(0, bytes.size() / 2));
  const HostRun cut = RunHost("replay " + Quoted(mScratch / "cut.rec") + " --log " + Quoted(mScratch / "c.log"));
  EXPECT_EQ(cut.exitCode, 0) << cut.output;
  EXPECT_TRUE(std::regex_search(cut.output, std::regex("cut short at byte \\d+ \\(frame \\d+\\)"))) << cut.output;
  EXPECT_NE(cut.output.find("replayed up to there"), std::string::npos) << cut.output;
  const std::string cutLog = ReadFile(mScratch / "c.log");
  EXPECT_GT(CountLines(cutLog), 5);
  EXPECT_EQ(ReadFile(mScratch / "a.log").rfind(cutLog, 0), 0u) << "the cut replay's log starts the whole one";

  // A damaged byte, or a file that is no recording: an error naming where, no match.
  std::string damaged = bytes;
  damaged[damaged.size() / 3] = static_cast<char>(damaged[damaged.size() / 3] ^ 0x5A);
  WriteFile(mScratch / "damaged.rec", damaged);
  WriteFile(mScratch / "notes.rec", "my notes\n");
  for (const char* file : {"damaged.rec", "notes.rec"}) {
    const HostRun broken = RunHost("replay " + Quoted(mScratch / file), true);
    EXPECT_EQ(broken.exitCode, 2) << file;
    EXPECT_EQ(CountLines(broken.output), 1) << broken.output;
    EXPECT_TRUE(std::regex_search(broken.output, std::regex("is damaged at byte \\d+ \\((frame \\d+|header)\\)")))
        << broken.output;
  }
}

TEST_F(HostEndToEnd, AReplayOnEditedLevelFilesIsRefusedAndForcedNamesTheFirstFrameThatDiffers) {
  const fs::path level = mScratch / "Levels" / "Ship";
  fs::create_directories(level.parent_path());
  fs::copy(fs::path(TIDEWATER_SOURCE_DIR) / "Resources" / "Levels" / "Ship", level, fs::copy_options::recursive);
  const std::string resources = " --resources " + Quoted(mScratch);
  const fs::path recording = mScratch / "match.rec";
  ASSERT_EQ(RunHost("--max-seconds 20 --record " + Quoted(recording) + resources).exitCode, 0);
  // The players walk a little faster than when the match was recorded.
  std::string player = ReadFile(level / "Archetypes" / "Player.arc");
  ASSERT_NE(player.find("Speed_ : 10\n"), std::string::npos);
  player.replace(player.find("Speed_ : 10\n"), 12, "Speed_ : 11\n");
  WriteFile(level / "Archetypes" / "Player.arc", player);

  const HostRun refused = RunHost("replay " + Quoted(recording) + resources, true);
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.output.find("recorded on other files of level Ship"), std::string::npos) << refused.output;
  EXPECT_EQ(refused.output.find("Match over"), std::string::npos) << refused.output;

  const HostRun forced = RunHost("replay --force " + Quoted(recording) + resources, true);
  EXPECT_EQ(forced.exitCode, 1) << forced.output;
  std::smatch found;
  ASSERT_TRUE(std::regex_search(forced.output, found, std::regex("diverges from the recording at frame (\\d+)")))
      << forced.output;
  EXPECT_LT(std::stoi(found[1]), 80) << "the players move within the first second";
  EXPECT_TRUE(std::regex_search(forced.output, std::regex("Player\\d \\(object \\d+\\) position [xz]: recorded")))
      << forced.output;
}

TEST_F(HostEndToEnd, TheLogNeverReplacesAFileThatIsNotOneOfOursAndReportsWriteErrors) {
  const fs::path notes = mScratch / "notes.txt";
  WriteFile(notes, "my notes\n");
  const HostRun refused = RunHost("--max-seconds 5 --log " + Quoted(notes), true);
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_NE(refused.output.find("not a tidewater-host log"), std::string::npos) << refused.output;
  EXPECT_EQ(ReadFile(notes), "my notes\n");

  const fs::path log = mScratch / "match.log";
  ASSERT_EQ(RunHost("--max-seconds 5 --log " + Quoted(log)).exitCode, 0);
  const HostRun again = RunHost("--max-seconds 5 --seed 4 --log " + Quoted(log));
  EXPECT_EQ(again.exitCode, 0) << again.output;
  EXPECT_NE(ReadFile(log).find("seed 4"), std::string::npos);

  const HostRun full = RunHost("--max-seconds 30 --log /dev/full", true);
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_NE(full.output.find("--log: writing /dev/full failed"), std::string::npos) << full.output;
}
