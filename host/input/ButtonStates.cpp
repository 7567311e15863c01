#include "input/ButtonStates.h"

#include "core/InputMessages.h"

void ButtonStates::Down(int key, const std::string& name, std::uint32_t player, Messages& out) {
  if (mDown.count(key) != 0) return;
  const bool wasHeld = IsHeld(name);
  mDown.emplace(key, name);
  if (wasHeld) return;
  out.push_back(std::make_shared<ButtonTriggerMessage>(L"Input", name, player));
  out.push_back(std::make_shared<ButtonPressMessage>(L"Input", name, player));
  mFresh.insert(name);
}

void ButtonStates::Up(int key, std::uint32_t player, Messages& out) {
  const auto found = mDown.find(key);
  if (found == mDown.end()) return;
  const std::string name = found->second;
  mDown.erase(found);
  if (!IsHeld(name)) out.push_back(std::make_shared<ButtonReleaseMessage>(L"Input", name, player));
}

void ButtonStates::Hold(std::uint32_t player, Messages& out) {
  std::set<std::string> held;
  for (const auto& [key, name] : mDown) held.insert(name);
  for (const std::string& name : held) {
    if (mFresh.count(name) == 0) out.push_back(std::make_shared<ButtonPressMessage>(L"Input", name, player));
  }
  mFresh.clear();
}

void ButtonStates::ReleaseAll(std::uint32_t player, Messages& out) {
  while (!mDown.empty()) Up(mDown.begin()->first, player, out);
  mFresh.clear();
}

bool ButtonStates::IsHeld(const std::string& name) const {
  for (const auto& [key, held] : mDown) {
    if (held == name) return true;
  }
  return false;
}
