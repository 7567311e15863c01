#include "meta/Deserializer.h"

#include <fstream>
#include <istream>
#include <memory>
#include <sstream>
#include <string>

#include "core/Engine.h"
#include "meta/MetaData.h"
#include "meta/ObjectText.h"
#include "meta/TextInput.h"
#include "meta/TextWords.h"
#include "objects/FileFunctions.h"
#include "objects/Object.h"
#include "platform/FileSystem.h"

namespace {

void ReportAt(META::TextInput& input, std::uint32_t line, std::string reason) {
  if (META::TextReadReport* report = input.Report()) report->Add({input.FileName(), line, std::move(reason)});
}

// Object blocks up to the end of the input; false when reading stopped early.
bool ReadLevel(META::TextInput& input) {
  std::string head;
  std::string brace;
  std::wstring archetype;
  // A word that cannot be read between blocks is the end of the level.
  while (META::ReadWord(input, head)) {
    const std::uint32_t line = input.Line();
    if (head == "{" || head == "}") {
      META::FailRead(input, "unbalanced '" + head + "'");
      return false;
    }
    // The "{"; its text is not checked.
    if (!META::ReadWord(input, brace)) {
      META::FailRead(input, "input ends after '" + head + "'");
      return false;
    }
    const std::shared_ptr<Object> object =
        Engine::mFactory.CreateArchetypedObject(Platform::WidenInto(archetype, head)).lock();
    if (!object) {
      ReportAt(input, line, "unknown archetype '" + head + "'; block skipped");
      if (!META::SkipBlock(input)) {
        META::FailRead(input, "input ends inside the " + head + " block");
        return false;
      }
      continue;
    }
    META::MetaData& meta = object->GetMetaData();
    meta.Deserialize(input, Variant(&meta, object.get()), false);
    if (!input) return false;
  }
  return true;
}

// The head word and "{" of the one block, then its body into the archetype.
bool ReadArchetype(META::TextInput& input, Object& object) {
  std::string head;
  std::string brace;
  if (!META::ReadWord(input, head)) {
    META::FailRead(input, "no object block to read");
    return false;
  }
  // The "{"; its text is not checked.
  if (!META::ReadWord(input, brace)) {
    META::FailRead(input, "input ends after '" + head + "'");
    return false;
  }
  return ReadObjectBody(input, object, true);
}

// Runs a read on a TextInput over the stream (the stream itself if it is
// one already), and hands the end state back to the caller's stream.
template <class Read>
std::istream& ReadStream(std::istream& stream, META::TextReadReport& report, Read read) {
  if (auto* input = dynamic_cast<META::TextInput*>(&stream)) {
    read(*input);
    return stream;
  }
  META::TextInput input(stream, std::string(), &report);
  read(input);
  stream.setstate(input.rdstate());
  return stream;
}

// The rest of an open file; one sized read when the file can tell its size.
std::string ReadWhole(std::ifstream& file) {
  std::string contents;
  file.seekg(0, std::ios::end);
  const std::streamoff size = file.tellg();
  file.seekg(0, std::ios::beg);
  if (size > 0) {
    contents.resize(static_cast<std::size_t>(size));
    file.read(contents.data(), size);
    contents.resize(static_cast<std::size_t>(file.gcount()));
  } else {
    std::ostringstream rest;
    rest << file.rdbuf();
    contents = std::move(rest).str();
  }
  return contents;
}

// `fileName` is the engine path as given, narrowed, for the report.
template <class Path, class Read>
bool ReadFile(const Path& path, const std::string& fileName, META::TextReadReport& report, Read read) {
  std::ifstream file(Platform::NativePath(path));
  if (!file.is_open()) {
    report.Add({fileName, 0, "cannot be opened"});
    return false;
  }
  // Level files are a few megabytes: one read into memory is cheaper than
  // reading through the file stream word by word.
  std::istringstream text(ReadWhole(file));
  META::TextInput input(text, fileName, &report);
  return read(input);
}

// An archetype file holds one block; anything after it is noted, not read.
bool ReadArchetypeFile(META::TextInput& input, Object& object) {
  if (!ReadArchetype(input, object)) return false;
  std::string extra;
  if (META::ReadWord(input, extra)) META::ReportSkip(input, "text after the object block ignored");
  return true;
}

}  // namespace

std::istream& Deserializer::operator()(std::istream& stream) {
  return ReadStream(stream, mReport, [](META::TextInput& input) { return ReadLevel(input); });
}

bool Deserializer::operator()(const std::string& fileName) { return ReadFile(fileName, fileName, mReport, ReadLevel); }

bool Deserializer::operator()(const std::wstring& fileName) {
  return ReadFile(fileName, NarrowName(fileName), mReport, ReadLevel);
}

std::istream& Deserializer::operator()(Object& object, std::istream& stream) {
  return ReadStream(stream, mReport, [&object](META::TextInput& input) { return ReadArchetype(input, object); });
}

bool Deserializer::operator()(Object& object, const std::string& fileName) {
  return ReadFile(fileName, fileName, mReport,
                  [&object](META::TextInput& input) { return ReadArchetypeFile(input, object); });
}

bool Deserializer::operator()(Object& object, const std::wstring& fileName) {
  return ReadFile(fileName, NarrowName(fileName), mReport,
                  [&object](META::TextInput& input) { return ReadArchetypeFile(input, object); });
}
