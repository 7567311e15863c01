// The level tools as a level writer meets them: new-level's output, check
// and play on a corpus of broken levels made from it by short edits, and
// describe against components made in this process.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "core/Engine.h"
#include "host/HostRun.h"
#include "meta/MetaData.h"
#include "objects/ComponentFactory.h"
#include "objects/FileFunctions.h"
#include "support/EngineFixture.h"

namespace fs = std::filesystem;

namespace {

// Nothing the tools print about one broken level should be longer than this.
constexpr std::size_t kMostOutput = 8 * 1024;

class LevelTools : public HostTest {
 protected:
  // A fresh small level, Demo, under mScratch/Levels.
  fs::path NewLevel(int rooms = 3, const std::string& name = "Demo") {
    fs::create_directories(mScratch / "Levels");
    const HostRun made = RunHost("new-level " + name + " --rooms " + std::to_string(rooms) + Resources());
    EXPECT_EQ(made.exitCode, 0) << made.output;
    return mScratch / "Levels" / name;
  }
  std::string Resources() const { return " --resources " + Quoted(mScratch); }
};

// Replaces the first `from` in a file by `to`; the case is void when `from`
// is not there, so a corpus entry cannot pass by editing nothing.
void Edit(const fs::path& file, const std::string& from, const std::string& to) {
  std::string text = ReadFile(file);
  const std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << "'" << from << "' not in " << file;
  text.replace(at, from.size(), to);
  WriteFile(file, text);
}

// Removes the object block that starts with `head` up to its closing line.
void Erase(const fs::path& file, const std::string& head) {
  std::string text = ReadFile(file);
  const std::size_t at = text.find(head);
  ASSERT_NE(at, std::string::npos) << head;
  const std::size_t end = text.find("\n}\n", at);
  ASSERT_NE(end, std::string::npos);
  text.erase(at, end + 3 - at);
  WriteFile(file, text);
}

struct Broken {
  const char* what;
  // The file the message must name, and whether with a line number.
  const char* file;
  bool line;
  const char* says;
  std::function<void(const fs::path& level)> edit;
};

const fs::path kLevelFile = "Demo.txt";

fs::path Arc(const fs::path& level, const char* name) { return level / "Archetypes" / (std::string(name) + ".arc"); }

std::vector<Broken> Corpus() {
  const auto level = [](const std::string& from, const std::string& to) {
    return [=](const fs::path& dir) { Edit(dir / kLevelFile, from, to); };
  };
  const auto archetype = [](const char* name, const std::string& from, const std::string& to) {
    return [=](const fs::path& dir) { Edit(Arc(dir, name), from, to); };
  };
  const std::string room1 = "\tRoomComponent\n\t{\n\t\tm_RoomID : 1\n\t}\n";
  return {
      // The readers: values, names and structure.
      {"a word for a number", "Demo.txt", true, "'one' is not a number", level("m_RoomID : 1", "m_RoomID : one")},
      {"a float too big", "Demo.txt", true, "out of range for a float", level("x_ : 50", "x_ : 1e50")},
      {"a negative unsigned", "Demo.txt", true, "out of range for an unsigned", level("m_RoomID : 1", "m_RoomID : -1")},
      {"a fraction for an integer", "Demo.txt", true, "not a whole number",
       level("m_left_room_id : 1", "m_left_room_id : 1.5")},
      {"a bool that is 2", "Player.arc", true, "out of range for a bool",
       archetype("Player", "m_static : 0", "m_static : 2")},
      {"the rest after a stop", "Demo.txt", true, "object blocks, were not read",
       level("m_RoomID : 1", "m_RoomID : x")},
      {"a misspelt archetype", "Demo.txt", true, "did you mean 'Room'",
       level("Room\n{\n\tmName : Room 1", "Rom\n{\n\tmName : Room 1")},
      {"a misspelt component", "Demo.txt", true, "did you mean 'RoomComponent'",
       level("\tRoomComponent\n\t{\n\t\tm_RoomID : 1", "\tRoomComponnent\n\t{\n\t\tm_RoomID : 1")},
      {"a misspelt member", "Demo.txt", true, "did you mean 'm_RoomID'", level("m_RoomID : 1", "m_RoomId : 1")},
      {"a missing component brace", "Demo.txt", true,
       "the 'RoomComponent' block of 'Room 1' that opens here is never closed",
       level(room1, "\tRoomComponent\n\t{\n\t\tm_RoomID : 1\n")},
      {"a missing last brace", "Demo.txt", true, "never closed (the file ends first)",
       [](const fs::path& dir) {
         std::string text = ReadFile(dir / kLevelFile);
         text.erase(text.rfind('}'));
         WriteFile(dir / kLevelFile, text);
       }},
      {"a stray brace", "Demo.txt", true, "a '}' that closes no block",
       level("Room\n{\n\tmName : Room 1", "}\nRoom\n{\n\tmName : Room 1")},
      {"an empty level", "Demo.txt", false, "the level file is empty",
       [](const fs::path& dir) { WriteFile(dir / kLevelFile, ""); }},
      {"a byte-order mark", "Demo.txt", true, "byte-order mark",
       [](const fs::path& dir) { WriteFile(dir / kLevelFile, "\xEF\xBB\xBF" + ReadFile(dir / kLevelFile)); }},
      {"binary bytes", "Demo.txt", true, "unknown archetype '\\x01\\x02\\xFFRules'",
       [](const fs::path& dir) { WriteFile(dir / kLevelFile, "\x01\x02\xFF" + ReadFile(dir / kLevelFile)); }},
      {"a word of a megabyte", "Demo.txt", true, "bytes)' of RoomComponent skipped",
       level("m_RoomID : 1", "m_" + std::string(1000000, 'Q') + " : 1")},
      {"a number of a megabyte", "Demo.txt", true, "out of range for an unsigned",
       level("m_RoomID : 1", "m_RoomID : " + std::string(1000000, '7'))},
      {"thousands of problems", "Demo.txt", true, "more problems not shown",
       [](const fs::path& dir) {
         std::string text = ReadFile(dir / kLevelFile);
         for (int i = 0; i < 3000; ++i) text += "Bogus\n{\n\tmName : b\n}\n";
         WriteFile(dir / kLevelFile, text);
       }},
      // The folder and its files.
      {"no Archetypes folder", "Archetypes", false, "the Archetypes folder is missing",
       [](const fs::path& dir) { fs::remove_all(dir / "Archetypes"); }},
      {"Archetypes is a file", "Archetypes", false, "Archetypes is not a folder",
       [](const fs::path& dir) {
         fs::remove_all(dir / "Archetypes");
         WriteFile(dir / "Archetypes", "x");
       }},
      {"no flood water", "FloodCube.arc", false, "no archetype 'FloodCube'",
       [](const fs::path& dir) { fs::remove(Arc(dir, "FloodCube")); }},
      {"a broken archetype", "Door.arc", true, "the rest of the archetype, ",
       archetype("Door", "m_mass : 0", "m_mass : heavy")},
      // The match: rooms, doors, players, pods, bindings and values.
      {"a room id out of range", "Demo.txt", true, "out of range: with 3 rooms the ids are 0 to 2",
       level("m_RoomID : 1", "m_RoomID : 7")},
      {"a room id twice", "Demo.txt", true, "room ids must be unique", level("m_RoomID : 2", "m_RoomID : 1")},
      {"no centre room", "Demo.txt", false, "no centre room",
       level("mName : Centre\n}", "mName : Centre\n" + std::string("\tRoomComponent\n\t{\n\t\tm_RoomID : 3\n\t}\n}"))},
      {"a door to no room", "Demo.txt", true, "no room has that id",
       level("m_left_room_id : 1", "m_left_room_id : 12")},
      {"two Player1", "Demo.txt", true, "a second object is named 'Player1'",
       level("mName : Player2", "mName : Player1")},
      {"a misnamed player", "Demo.txt", true, "did you mean 'Player1'", level("mName : Player1", "mName : player1")},
      {"no players", "Demo.txt", false, "no players",
       [](const fs::path& dir) {
         Erase(dir / kLevelFile, "Player\n{\n\tmName : Player1");
         Erase(dir / kLevelFile, "Player\n{\n\tmName : Player2");
       }},
      {"no pod", "Demo.txt", false, "no escape pod",
       [](const fs::path& dir) { Erase(dir / kLevelFile, "EscapePod\n{"); }},
      {"no power cell", "Demo.txt", false, "no power cell",
       [](const fs::path& dir) { Erase(dir / kLevelFile, "PowerCell\n{"); }},
      {"a key door without a key card", "Demo.txt", true, "needs a key card",
       [](const fs::path& dir) { Erase(dir / kLevelFile, "KeyCard\n{"); }},
      {"a pickup of no kind", "PowerCell.arc", true, "gives nothing",
       archetype("PowerCell", "m_PickupType : PowerCell", "m_PickupType : PowerCel")},
      {"a trigger bound to nothing", "Demo.txt", true, "no object has that name",
       level("m_name_of_bound_door : Door Centre - Room 1", "m_name_of_bound_door : Door Centre - Room 9")},
      {"a door nobody opens", "Demo.txt", false, "it never opens",
       level("m_name_of_bound_door : Door Centre - Room 1", "m_name_of_bound_door : Door Room 1 - Room 2")},
      {"a pod bound elsewhere", "Demo.txt", true, "must bind its interactor to its own name",
       level("m_name_of_bound_door : Pod", "m_name_of_bound_door : Key Card")},
      {"not a number", "Demo.txt", true, "is not a number (nan)", level("x_ : 50", "x_ : nan")},
      {"infinity", "Demo.txt", true, "is infinite", level("x_ : 50", "x_ : -inf")},
      {"a negative time limit", "Rules.arc", true, "out of range for a time",
       archetype("Rules", "mTimeLimit : 300", "mTimeLimit : -5")},
      {"an absurd speed", "Player.arc", true, "out of range for a speed",
       archetype("Player", "Speed_ : 10", "Speed_ : 1e+09")},
  };
}

}  // namespace

TEST_F(LevelTools, ANewLevelIsCleanAndPlaysToAnEnd) {
  for (const int rooms : {3, 8, 16}) {
    SCOPED_TRACE(rooms);
    const std::string name = "Rooms" + std::to_string(rooms);
    const fs::path dir = NewLevel(rooms, name);
    const HostRun check = RunHost("check --level " + name + Resources());
    EXPECT_EQ(check.exitCode, 0) << check.output;
    EXPECT_NE(check.output.find(": clean"), std::string::npos) << check.output;
    const HostRun play = RunHost("--level " + name + Resources());
    EXPECT_EQ(play.exitCode, 0) << play.output;
    EXPECT_NE(play.output.find(std::to_string(rooms) + " rooms"), std::string::npos) << play.output;
    EXPECT_NE(play.output.find("Match over after"), std::string::npos) << play.output;
    // Written by hand's rules: blocks name their archetypes, and the engine's
    // archetype writer wrote the archetypes.
    const std::string text = ReadFile(dir / (name + ".txt"));
    EXPECT_EQ(text.find("Object\n{"), std::string::npos);
    EXPECT_EQ(ReadFile(dir / "Archetypes" / "Room.arc").rfind("Object\n{\n\tmName : Room\n", 0), 0u);
  }
  // A level is never written over.
  const HostRun again = RunHost("new-level Rooms3" + Resources());
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_NE(again.output.find("exists already"), std::string::npos) << again.output;
}

TEST_F(LevelTools, EveryBrokenLevelIsNamedByCheckAndRefusedByPlay) {
  for (const Broken& broken : Corpus()) {
    SCOPED_TRACE(broken.what);
    fs::remove_all(mScratch / "Levels");
    const fs::path dir = NewLevel();
    broken.edit(dir);
    if (::testing::Test::HasFatalFailure()) return;

    const HostRun check = RunHost("check --level Demo" + Resources());
    EXPECT_EQ(check.exitCode, 1) << check.output;
    EXPECT_LE(check.output.size(), kMostOutput);
    const std::string where = std::string(broken.file) + (broken.line ? ":[0-9]+: " : "[:/]");
    EXPECT_TRUE(std::regex_search(check.output, std::regex(where))) << where << "\n" << check.output.substr(0, 4000);
    EXPECT_NE(check.output.find(broken.says), std::string::npos) << check.output.substr(0, 4000);
    // Only what we escaped: no raw control bytes or high bytes reach the terminal.
    for (const char c : check.output) {
      EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7F)) << static_cast<int>(static_cast<unsigned char>(c));
      if (!(c == '\n' || (c >= 0x20 && c < 0x7F))) break;
    }

    const HostRun play = RunHost("--level Demo --max-seconds 30" + Resources());
    EXPECT_EQ(play.exitCode, 1) << play.output.substr(0, 4000);
    EXPECT_LE(play.output.size(), kMostOutput);
    EXPECT_NE(play.output.find("--force plays it anyway"), std::string::npos);
  }
}

TEST_F(LevelTools, ForcePlaysALevelWithProblemsAndJsonReportsThem) {
  const fs::path dir = NewLevel();
  Edit(dir / kLevelFile, "m_name_of_bound_door : Door Centre - Room 1", "m_name_of_bound_door : Door Centre - Room 9");
  const HostRun forced = RunHost("--level Demo --force --max-seconds 20" + Resources());
  EXPECT_EQ(forced.exitCode, 0) << forced.output;
  EXPECT_NE(forced.output.find("no object has that name"), std::string::npos);
  EXPECT_NE(forced.output.find("Match over after 20.0 s"), std::string::npos) << forced.output;

  const HostRun json = RunHost("check --json --level Demo" + Resources(), false);
  EXPECT_EQ(json.exitCode, 1);
  const std::regex shape(
      "\\{\"level\": \"Demo\", \"clean\": false, \"objects\": [0-9]+, \"archetypes\": [0-9]+, \"count\": 2, "
      "\"problems\": \\[\\n  \\{\"file\": \"[^\"]*Demo.txt\", \"line\": [0-9]+, \"message\": \"[^\"]*\"\\},\\n");
  EXPECT_TRUE(std::regex_search(json.output, shape)) << json.output;
  EXPECT_NE(json.output.find("no object has that name (did you mean 'Door Centre - Room 1'?)"), std::string::npos);
}

// describe shows what the factories make: every kind, and for each member
// the value its writer gives a component fresh from the factory.
class DescribeTest : public EngineFixture {};

TEST_F(DescribeTest, ListsEveryComponentWithTheDefaultsItsFactoryGives) {
  const HostRun run = RunHost("describe");
  ASSERT_EQ(run.exitCode, 0);
  std::size_t kinds = 0;
  for (const auto& [name, factory] : Engine::mFactory.GetComponentFactories()) {
    if (name == L"Object") continue;
    ++kinds;
    const std::string kind = NarrowName(name);
    const std::string heading = "\n" + kind + " (component type " + std::to_string(factory->GetType()) + ")\n";
    const std::size_t at = run.output.find(heading);
    ASSERT_NE(at, std::string::npos) << kind;
    const std::size_t next = run.output.find("\n\n", at + heading.size());
    const std::string section = run.output.substr(at, next == std::string::npos ? std::string::npos : next - at);
    // The engine's own writer on a fresh component: each "member : value" line.
    const auto component = factory->CreateArchetypeComponent();
    META::MetaData& meta = component->GetMetaData();
    std::ostringstream written;
    meta.Serialize(written, Variant(&meta, dynamic_cast<void*>(component.get())), 0);
    std::istringstream lines(written.str());
    std::smatch member;
    for (std::string line; std::getline(lines, line);) {
      if (!std::regex_match(line, member, std::regex("\\t*(\\w+) : ([^\\t].*?) ?"))) continue;
      const std::regex row("[.\\s]" + member[1].str() + " +\\S.*? +" +
                           std::regex_replace(member[2].str(), std::regex("[.+*?()\\[\\]]"), "\\$&") + "(\\s|$)");
      EXPECT_TRUE(std::regex_search(section, row)) << kind << ": " << line << "\n" << section;
    }
  }
  EXPECT_GE(kinds, 29u);
  EXPECT_NE(run.output.find("set again by Initialize"), std::string::npos);
  const HostRun one = RunHost("describe DoorComponent");
  EXPECT_EQ(one.exitCode, 0);
  EXPECT_NE(one.output.find("m_requires_key"), std::string::npos);
  EXPECT_EQ(one.output.find("Transform"), std::string::npos);
}
