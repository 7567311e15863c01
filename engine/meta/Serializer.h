#pragma once
#include <iosfwd>
#include <string>

#include "platform/Export.h"

class Object;

// Writes objects and levels in the engine's text format. Holds no state:
// every call that takes a file name opens, replaces and closes that file.
// File names are engine paths (backslashes); a file that cannot be opened
// is not written and the call returns false.
class TW_API Serializer {
 public:
  // Every registered object, in ascending id order, each at depth 0.
  std::ostream& operator()(std::ostream& stream) const;
  bool operator()(const std::string& fileName) const;
  bool operator()(const std::wstring& fileName) const;

  // One object at depth 0 (an archetype file holds exactly one).
  std::ostream& operator()(Object& object, std::ostream& stream) const;
  bool operator()(Object& object, const std::string& fileName) const;
  bool operator()(Object& object, const std::wstring& fileName) const;
};
