#include "replay/InputCodec.h"

#include "core/GameFlowMessages.h"
#include "core/InputMessages.h"
#include "core/WindowMessages.h"

namespace {

std::string Narrow(const std::wstring& text) { return {text.begin(), text.end()}; }
std::wstring Wide(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace

std::optional<Recording::Input> InputCodec::Encode(const Message& message) {
  Recording::Input input;
  input.type = static_cast<std::uint32_t>(message.GetMessageId());
  switch (message.GetMessageId()) {
    case MT_BUTTON_TRIGGER:
    case MT_BUTTON_PRESS:
    case MT_BUTTON_RELEASE: {
      const auto& button = static_cast<const ButtonMessage&>(message);
      input.text = button.GetButtonName();
      input.player = button.GetPlayerID();
      return input;
    }
    case MT_MOUSE_LOOK: {
      const auto& look = static_cast<const MouseLookMessage&>(message);
      input.x = look.GetXCoord();
      input.y = look.GetYCoord();
      input.player = look.GetPlayerID();
      return input;
    }
    case MT_LEFT_STICK: {
      const auto& stick = static_cast<const LeftStickMessage&>(message);
      input.ints = {stick.GetLeftStickX(), stick.GetLeftStickY(), 0, 0};
      input.player = stick.GetPlayerID();
      return input;
    }
    case MT_RIGHT_STICK: {
      const auto& stick = static_cast<const RightStickMessage&>(message);
      input.ints = {stick.GetRightStickX(), stick.GetRightStickY(), 0, 0};
      input.player = stick.GetPlayerID();
      return input;
    }
    case MT_RIGHT_TRIGGER_PRESS:
      input.player = static_cast<const RightTriggerPressMessage&>(message).GetPlayerID();
      return input;
    case MT_SDL_EVENT: {
      // Window events only reach the bus: what the engine and the game read of them.
      const SDL_Event& event = static_cast<const SDLEventMessage&>(message).GetEvent();
      input.ints = {static_cast<std::int32_t>(event.type), event.window.event, event.window.data1, event.window.data2};
      return input;
    }
    case MT_FULL_SCREEN:
      input.ints[0] = static_cast<const FullScreenMessage&>(message).GetFullScreen() ? 1 : 0;
      return input;
    case MT_QUIT:
      input.text = Narrow(message.GetSender());
      return input;
    case MT_LOAD_LEVEL: {
      const auto& load = static_cast<const LoadLevelMessage&>(message);
      input.text = load.GetFileName();
      input.player = static_cast<std::uint32_t>(load.GetPlayers());
      return input;
    }
    default:
      return std::nullopt;
  }
}

std::shared_ptr<Message> InputCodec::Decode(const Recording::Input& input) {
  const std::wstring sender = L"Input";
  const auto x = static_cast<std::int16_t>(input.ints[0]);
  const auto y = static_cast<std::int16_t>(input.ints[1]);
  switch (static_cast<MessageType>(input.type)) {
    case MT_BUTTON_TRIGGER:
      return std::make_shared<ButtonTriggerMessage>(sender, input.text, input.player);
    case MT_BUTTON_PRESS:
      return std::make_shared<ButtonPressMessage>(sender, input.text, input.player);
    case MT_BUTTON_RELEASE:
      return std::make_shared<ButtonReleaseMessage>(sender, input.text, input.player);
    case MT_MOUSE_LOOK:
      return std::make_shared<MouseLookMessage>(sender, input.x, input.y, input.player);
    case MT_LEFT_STICK:
      return std::make_shared<LeftStickMessage>(sender, x, y, input.player);
    case MT_RIGHT_STICK:
      return std::make_shared<RightStickMessage>(sender, x, y, input.player);
    case MT_RIGHT_TRIGGER_PRESS:
      return std::make_shared<RightTriggerPressMessage>(sender, input.player);
    case MT_SDL_EVENT: {
      SDL_Event event{};
      event.type = static_cast<Uint32>(input.ints[0]);
      event.window.event = static_cast<Uint8>(input.ints[1]);
      event.window.data1 = input.ints[2];
      event.window.data2 = input.ints[3];
      return std::make_shared<SDLEventMessage>(sender, event);
    }
    case MT_FULL_SCREEN:
      return std::make_shared<FullScreenMessage>(sender, input.ints[0] != 0);
    case MT_QUIT:
      return std::make_shared<Message>(Wide(input.text), MT_QUIT);
    case MT_LOAD_LEVEL:
      return std::make_shared<LoadLevelMessage>(L"Menus", input.text, static_cast<int>(input.player));
    default:
      return nullptr;
  }
}
