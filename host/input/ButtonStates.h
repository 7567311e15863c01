#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class Message;

// Named buttons as the Controller hears them, from the physical keys and
// buttons that drive them: a trigger and a first press when a name goes down,
// a press in every later frame it is held, a release when it comes up.
// Several keys may drive one name; the name is held while any of them is.
// A tap that comes and goes within one frame still gives its press, so a
// quick click in the menus is never lost.
class ButtonStates {
 public:
  using Messages = std::vector<std::shared_ptr<Message>>;

  // Repeats of a key already down are ignored.
  void Down(int key, const std::string& name, std::uint32_t player, Messages& out);
  void Up(int key, std::uint32_t player, Messages& out);
  // Once a frame: a press for every name still held that did not just go down.
  void Hold(std::uint32_t player, Messages& out);
  // Lets go of everything, as when the window loses focus or the pad is gone.
  void ReleaseAll(std::uint32_t player, Messages& out);

  [[nodiscard]] bool IsHeld(const std::string& name) const;

 private:
  std::map<int, std::string> mDown;
  std::set<std::string> mFresh;
};
