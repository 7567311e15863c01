#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "check/TextOutline.h"
#include "objects/ComponentType.h"

class Object;

// Where the loaded objects and archetypes were written: the level file's
// object blocks paired with the objects made from them (in file order, as
// the reader makes them), and each archetype's file. A problem found on a
// loaded value is reported at the line that set it: the level block's
// component when the level writes that component (it replaces the
// archetype's), else the archetype file's.
class SourceMap {
 public:
  struct Place {
    std::string file;
    std::uint32_t line = 0;
  };

  // After LoadLevel, before anything else is created.
  SourceMap(const std::string& level, const TextOutline* levelOutline,
            const std::map<std::wstring, TextOutline>* archetypeOutlines);

  // Where `component`'s `path` of this live object is set; an empty path:
  // the component's block; no component: the object's block.
  [[nodiscard]] Place Where(const Object& object, std::string_view component = {}, std::string_view path = {}) const;
  // The same in an archetype's file.
  [[nodiscard]] Place InArchetype(const std::wstring& archetype, std::string_view component = {},
                                  std::string_view path = {}) const;
  // The level block an object was made from, or null.
  [[nodiscard]] const TextOutline::Block* BlockOf(const Object& object) const;

 private:
  std::string mLevel;
  std::string mLevelFile;
  const std::map<std::wstring, TextOutline>* mArchetypes;
  std::map<ObjectID, const TextOutline::Block*> mBlocks;
};
