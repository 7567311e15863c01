#pragma once
#include <iosfwd>
#include <string>

#include "meta/TextReadReport.h"
#include "platform/Export.h"

class Object;

// Reads objects and levels in the engine's text format. File names are
// engine paths (backslashes).
//
// Bad input never stops the game: a block whose archetype or component
// nobody knows is skipped, and the first value that does not parse (or an
// end of file inside a block) ends the read. Objects read before that stay.
// The library says nothing about it, but everything skipped or stopped at is
// noted, with file and line, in Report(), for a host that wants to tell
// its level designers ("Ship.txt:12: unknown component 'Foo' skipped").
class TW_API Deserializer {
 public:
  // A level: every object block creates an object from the archetype named
  // by its head word and fills and initializes it. The file forms return
  // false when the file cannot be opened or reading stopped early.
  std::istream& operator()(std::istream& stream);
  bool operator()(const std::string& fileName);
  bool operator()(const std::wstring& fileName);

  // One archetype block, whose components go silently to the archetype
  // named by the object's archetype name. Nothing is initialized.
  std::istream& operator()(Object& object, std::istream& stream);
  bool operator()(Object& object, const std::string& fileName);
  bool operator()(Object& object, const std::wstring& fileName);

  // What the reads since the last Clear skipped or stopped at. A stream that
  // is already a META::TextInput reports to its own report instead.
  // ObjectFactory::LoadLevel clears it first, so after a load it holds that
  // load's problems.
  [[nodiscard]] const META::TextReadReport& Report() const { return mReport; }
  META::TextReadReport& Report() { return mReport; }

 private:
  META::TextReadReport mReport;
};
