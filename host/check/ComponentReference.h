#pragma once
#include <iosfwd>
#include <string>
#include <vector>

// `tidewater-host describe [COMPONENT]`: every component kind the engine
// registers, with its registry name, component type and the members a file
// may set: their written names, reflection types and default values, read
// from the reflection records and a component fresh from its factory, so
// the reference cannot drift from the code. Members that the component's
// Initialize sets again when the object starts are marked: a file value for
// them is overwritten.
namespace ComponentReference {

struct Member {
  std::string path;
  std::string type;
  std::string value;  // as the writer writes it; "" for members not stored
  bool stored = true;
  bool resetByInitialize = false;
};

struct Kind {
  std::string name;
  int type = 0;
  std::vector<Member> members;
};

// Every registered component kind but "Object", in registry-name order.
// Expects an initialized engine.
[[nodiscard]] std::vector<Kind> Kinds();

// Prints every kind, or only the one named; false when no kind has that name.
bool Print(std::ostream& out, const std::string& only);
// " (did you mean 'X'?)" for a name that is no component, or "".
[[nodiscard]] std::string DidYouMean(const std::string& name);

}  // namespace ComponentReference
