#include "check/LevelCheck.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <ostream>
#include <system_error>
#include <vector>

#include "check/LevelFiles.h"
#include "check/LevelRules.h"
#include "check/ReaderIssue.h"
#include "check/SourceMap.h"
#include "check/TextOutline.h"
#include "check/ValueCheck.h"
#include "core/Engine.h"
#include "meta/Member.h"
#include "meta/MetaData.h"
#include "meta/MetaManager.h"
#include "objects/FileFunctions.h"
#include "objects/Object.h"
#include "platform/FileSystem.h"

namespace fs = std::filesystem;

namespace {

// Whether a member's value runs to the line end (a name, a model), so that
// the outline takes braces in it for text.
bool IsTextMember(std::string_view block, std::string_view member) {
  const META::MetaData* record = META::MetaManager::Get(std::string(block));
  const META::Member* found = record != nullptr ? record->FindMember(member) : nullptr;
  return found != nullptr && found->Data() != nullptr && found->Data()->Type() == "std::string";
}

bool HasArchetypeExtension(const fs::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return extension == ".ARC";
}

struct Files {
  std::string level;
  std::string levelFile;
  std::string archetypeFolder;
  TextOutline levelOutline;
  // By archetype name, as the engine names them: the file name without ".arc".
  std::map<std::wstring, TextOutline> archetypes;
  std::map<std::string, std::wstring> archetypeOfFile;
  bool folderUsable = false;
};

// The folder and files as the loader will meet them, and their outlines.
void ReadFiles(Files& files, CheckReport& report) {
  files.levelFile = LevelFiles::LevelFile(files.level);
  files.archetypeFolder = LevelFiles::ArchetypeFolder(files.level);
  files.levelOutline = TextOutline::Read(files.levelFile, IsTextMember);

  std::error_code error;
  const fs::path folder = fs::path(files.archetypeFolder).parent_path();
  const fs::file_status status = fs::status(folder, error);
  if (!fs::exists(status)) {
    report.Add(folder.string(), 0,
               "the Archetypes folder is missing: every object block names an archetype from it, so none can be made");
    return;
  }
  if (!fs::is_directory(status)) {
    report.Add(folder.string(), 0, "Archetypes is not a folder: the level's archetypes cannot be read");
    return;
  }
  fs::directory_iterator entries(folder, error);
  if (error) {
    report.Add(folder.string(), 0, "the Archetypes folder cannot be read (" + error.message() + ")");
    return;
  }
  files.folderUsable = true;
  std::size_t found = 0;
  for (const fs::directory_entry& entry : entries) {
    if (!entry.is_regular_file(error) || !HasArchetypeExtension(entry.path())) continue;
    ++found;
    const std::wstring name = WidenName(entry.path().stem().string());
    files.archetypes.emplace(name, TextOutline::Read(entry.path().string(), IsTextMember));
    files.archetypeOfFile[entry.path().string()] = name;
  }
  if (found == 0) report.Add(folder.string(), 0, "the Archetypes folder holds no archetype files (NAME.arc)");
}

void AddOutlineFaults(const std::string& file, const TextOutline& outline, CheckReport& report) {
  if (!outline.Opened()) return;
  if (outline.StartsWithByteOrderMark()) {
    report.Add(file, 1, "the file starts with a byte-order mark: save it as plain text (UTF-8 without BOM)");
  }
  for (const TextOutline::Fault& fault : outline.Faults()) report.Add(file, fault.line, fault.message);
}

// Reader issues, put in words, and what a stopped read never reached. True
// when every file was read to its end in step with its blocks.
bool AddReaderIssues(const Files& files, CheckReport& report) {
  bool whole = true;
  std::vector<std::string> archetypeNames;
  for (const auto& [name, archetype] : Engine::mFactory.GetArchetypes()) archetypeNames.push_back(NarrowName(name));

  // After a block whose "}" is missing the reader reads the rest of the file
  // out of step: what it says there follows from that, and is counted, not listed.
  std::map<std::string, std::uint32_t> unclosedAt;
  const auto noteUnclosed = [&](const std::string& file, const TextOutline& outline) {
    for (const TextOutline::Fault& fault : outline.Faults()) {
      if (fault.message.find("never closed") != std::string::npos) {
        unclosedAt.emplace(file, fault.line);
        return;
      }
    }
  };
  noteUnclosed(files.levelFile, files.levelOutline);
  for (const auto& [file, name] : files.archetypeOfFile) noteUnclosed(file, files.archetypes.at(name));
  std::map<std::string, std::size_t> followers;

  std::map<std::string, std::size_t> skipped;
  std::map<std::string, std::uint32_t> lastLine;
  for (const META::TextReadIssue& issue : Engine::mDeserializer.Report().Issues()) {
    const std::string file = issue.file.empty() ? std::string() : Platform::NativePath(issue.file);
    const auto unclosed = unclosedAt.find(file);
    if (unclosed != unclosedAt.end() && issue.line > unclosed->second) {
      ++followers[file];
      continue;
    }
    const bool levelFile = file == files.levelFile;
    // Without the folder every block is an unknown archetype: one message says so.
    if (levelFile && !files.folderUsable && ReaderIssue::IsSkippedArchetype(issue.reason)) continue;
    if (ReaderIssue::IsSkippedArchetype(issue.reason) || ReaderIssue::IsSkippedComponent(issue.reason)) {
      ++skipped[file];
    }
    lastLine[file] = std::max(lastLine[file], issue.line);
    if (issue.reason == "cannot be opened") {
      report.Add(file, 0, levelFile ? "the level file cannot be read" : "the archetype file cannot be read");
      continue;
    }
    report.Add(file, issue.line, ReaderIssue::Explain(issue.reason, archetypeNames));
  }

  for (const auto& [file, count] : followers) {
    report.Add(file, unclosedAt[file],
               std::to_string(count) + " more message" + (count == 1 ? "" : "s") +
                   " from the reader after this line follow from the missing '}' and are not shown");
  }
  if (!followers.empty()) return false;

  // The level: one object per block whose archetype was there.
  const std::size_t blocks = files.levelOutline.Blocks().size();
  const std::size_t reached = Engine::mFactory.GetObjects().size() + skipped[files.levelFile];
  if (files.folderUsable && reached < blocks && lastLine.count(files.levelFile) != 0) {
    whole = false;
    const std::size_t rest = blocks - reached;
    report.Add(files.levelFile, lastLine[files.levelFile],
               "reading stopped here: the rest of the file, " + std::to_string(rest) +
                   (rest == 1 ? " object block, was not read" : " object blocks, were not read"));
  }
  // Each archetype: one component per component block.
  for (const auto& [file, name] : files.archetypeOfFile) {
    const auto outline = files.archetypes.find(name);
    const auto archetype = Engine::mFactory.GetArchetype(name).lock();
    if (outline == files.archetypes.end() || outline->second.Blocks().empty() || !archetype) continue;
    const std::size_t parts = outline->second.Blocks().front().children.size();
    const std::size_t got = archetype->GetComponents().size() + skipped[file];
    if (got < parts && lastLine.count(file) != 0) {
      whole = false;
      const std::size_t rest = parts - got;
      report.Add(file, lastLine[file],
                 "reading stopped here: the rest of the archetype, " + std::to_string(rest) +
                     (rest == 1 ? " component, was not read" : " components, were not read"));
    }
  }
  return whole;
}

bool HasFaults(const Files& files) {
  if (!files.levelOutline.Faults().empty()) return true;
  for (const auto& [name, outline] : files.archetypes) {
    if (!outline.Faults().empty()) return true;
  }
  return false;
}

}  // namespace

LevelCheck::Result LevelCheck::Load(const std::string& level) {
  Engine::mFactory.LoadLevel(level);
  return Inspect(level);
}

LevelCheck::Result LevelCheck::Inspect(const std::string& level) {
  Result result;
  CheckReport& report = result.report;
  Files files;
  files.level = level;
  ReadFiles(files, report);
  if (files.levelOutline.Opened() && files.levelOutline.Empty()) {
    report.Add(files.levelFile, 0, "the level file is empty: it holds no object blocks");
  }
  AddOutlineFaults(files.levelFile, files.levelOutline, report);
  for (const auto& [file, name] : files.archetypeOfFile) AddOutlineFaults(file, files.archetypes.at(name), report);
  const bool whole = AddReaderIssues(files, report) && !HasFaults(files);

  // Objects made from a file read out of step are no guide to the level.
  if (whole) {
    const SourceMap where(level, &files.levelOutline, &files.archetypes);
    LevelRules::Check(level, where, report);
    ValueCheck::Check(level, where, report);
  }
  report.Sort();
  if (!whole) {
    report.Add(files.levelFile, 0,
               "rooms, doors, players, bindings and values are checked once every file reads to its end");
  }
  result.objects = Engine::mFactory.GetObjects().size();
  result.archetypes = Engine::mFactory.GetArchetypes().size();
  return result;
}

void LevelCheck::Print(const Result& result, const std::string& level, std::ostream& out, bool json) {
  if (json) {
    result.report.PrintJson(out, level, result.objects, result.archetypes);
  } else {
    result.report.Print(out, level, result.objects, result.archetypes);
  }
}

bool LevelCheck::Run(const std::string& level, std::ostream& out, bool json) {
  const Result result = Load(level);
  Print(result, level, out, json);
  return result.report.Clean();
}
