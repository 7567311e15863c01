#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "objects/ComponentType.h"
#include "platform/Export.h"

// Ties child objects to a parent: each child with a GroupComponent is moved to
// the parent's world position plus its offset, through the host's physics,
// when it joins and when the parent changes. The group holds ids only and
// does not follow the parent afterwards.
class TW_API Group {
 public:
  Group() = default;
  explicit Group(std::string name) : mGroupName(std::move(name)) {}
  Group(const Group& other) = default;
  Group& operator=(const Group& other) = default;

  [[nodiscard]] std::uint32_t GetParentID() const { return mParentID; }
  std::vector<ObjectID>& GetChildren() { return mChildren; }
  std::string& GetGroupName() { return mGroupName; }
  void SetGroupName(std::string name) { mGroupName = std::move(name); }

  // Places every child at the new parent (all commands sent after the walk).
  // Setting the current parent again does nothing.
  void SetParentObject(std::uint32_t parentID);
  // Adds a child once and places it, if the parent exists.
  void AddToGroup(std::uint32_t childID);

 private:
  ObjectID mParentID = 0;
  std::vector<ObjectID> mChildren;
  std::string mGroupName = "default";
};
