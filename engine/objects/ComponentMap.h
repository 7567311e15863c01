#pragma once
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "objects/ComponentType.h"

class Component;

// An object's components by type, in ascending type order. An object holds a
// handful of them, so one sorted array beats a tree node per component; and
// nothing is ever erased, so a position only moves when a lower type arrives.
class ComponentMap {
 public:
  using value_type = std::pair<ComponentType, std::shared_ptr<Component>>;
  using const_iterator = std::vector<value_type>::const_iterator;
  using iterator = std::vector<value_type>::iterator;

  [[nodiscard]] const_iterator begin() const { return mEntries.begin(); }
  [[nodiscard]] const_iterator end() const { return mEntries.end(); }
  [[nodiscard]] iterator begin() { return mEntries.begin(); }
  [[nodiscard]] iterator end() { return mEntries.end(); }
  [[nodiscard]] std::size_t size() const { return mEntries.size(); }
  [[nodiscard]] bool empty() const { return mEntries.empty(); }
  [[nodiscard]] const value_type& operator[](std::size_t index) const { return mEntries[index]; }

  [[nodiscard]] const_iterator find(ComponentType type) const {
    const std::size_t at = LowerBound(type);
    return at < mEntries.size() && mEntries[at].first == type ? begin() + Offset(at) : end();
  }
  [[nodiscard]] iterator find(ComponentType type) {
    const std::size_t at = LowerBound(type);
    return at < mEntries.size() && mEntries[at].first == type ? begin() + Offset(at) : end();
  }
  // Adds a component of a type not held yet, in its place.
  void InsertNew(ComponentType type, std::shared_ptr<Component> component) {
    // Most objects hold a few components: room for them at once, not by
    // growing one at a time.
    if (mEntries.capacity() == 0) mEntries.reserve(kFirstRoom);
    mEntries.emplace(begin() + Offset(LowerBound(type)), type, std::move(component));
  }

 private:
  // The first position whose type is not below `type`. Few entries: a
  // forward scan is as quick as a binary search.
  [[nodiscard]] std::size_t LowerBound(ComponentType type) const {
    std::size_t at = 0;
    while (at < mEntries.size() && mEntries[at].first < type) ++at;
    return at;
  }
  static std::ptrdiff_t Offset(std::size_t at) { return static_cast<std::ptrdiff_t>(at); }

  static constexpr std::size_t kFirstRoom = 4;
  std::vector<value_type> mEntries;
};
