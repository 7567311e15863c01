#pragma once
#include <functional>
#include <string>
#include <string_view>

class Component;
namespace META {
class MetaData;
}

// A component's serialized members reached by their written names, through
// the reflection records alone: what the level tools read, compare, set and
// list, exactly as the engine's readers and writers see it. Paths go through
// value blocks with dots: "transformData.WorldPosition.x_".
namespace MemberAccess {

struct Leaf {
  std::string path;
  const META::MetaData* type;
  void* address;
  // False for block types without members (colours the format does not store).
  bool stored = true;
};

// Every value that is written on a line of its own, in the writer's order;
// with `unstored`, also the members the format does not store.
void ForEachLeaf(const META::MetaData& record, void* base, const std::function<void(const Leaf&)>& visit,
                 bool unstored = false);
void ForEachLeaf(Component& component, const std::function<void(const Leaf&)>& visit);

// A line value as the writer writes it, without the line end. Not for
// floats that may be NaN or infinite: the writer replaces those in place.
[[nodiscard]] std::string Text(const Leaf& leaf);

// The text of the line member at `path`, or "" when there is none.
[[nodiscard]] std::string TextOf(Component& component, std::string_view path);

// Reads `value` into the member at `path` with the engine's reader of its
// type. False when there is no such line member or the value does not read.
bool Set(Component& component, std::string_view path, std::string_view value);

// The storage address of a component's members (its concrete object).
[[nodiscard]] void* Base(Component& component);

}  // namespace MemberAccess
