#include "objects/Component.h"

#include "core/Engine.h"

namespace {
// Keeps component listener ids apart from ids a host picks for its own listeners.
constexpr ListenerID kComponentListenerTag = ListenerID{1} << 62;
}  // namespace

ListenerID Component::MakeListenerID(std::uint32_t handlerNumber) const {
  return kComponentListenerTag | (static_cast<ListenerID>(mComponentID) << 8) | (handlerNumber & 0xFFu);
}

void Component::RegisterListenerFor(MessageType type, const Callable& listener) {
  Engine::RegisterListener(type, listener);
}

std::shared_ptr<Component> Component::CreateRegistered(const wchar_t* registryName) {
  return Engine::mFactory.CreateComponent(registryName);
}
