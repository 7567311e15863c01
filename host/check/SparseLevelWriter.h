#pragma once
#include <iosfwd>
#include <memory>
#include <string>

class Object;

// Writes a level as a person writes one by hand, not as the engine's level
// writer does (every block headed "Object" and every member written): each
// block names its archetype, and holds only the components that differ from
// the archetype's, each with only the members that differ from a component
// fresh from its factory. That is exactly what the reader rebuilds, since a
// component block in a level replaces the archetype's component whole.
class SparseLevelWriter {
 public:
  explicit SparseLevelWriter(std::ostream& out) : mOut(out) {}

  // One object block: the object as made from `archetype` and then changed.
  void Write(const Object& object, const Object& archetype);

 private:
  std::ostream& mOut;
};
