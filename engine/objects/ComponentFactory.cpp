#include "objects/ComponentFactory.h"

#include "core/Engine.h"
#include "core/MessagePool.h"
#include "core/ObjectMessages.h"
#include "objects/Object.h"

std::uint32_t ComponentFactory::mID = 0;

void ComponentFactory::AnnounceCreation(const std::shared_ptr<Component>& component) {
  if (component->GetType() == CT_Object) {
    Engine::RelayMessage(MessagePool::Make<CreatedObjectMessage>(
        CoreSenderName(), std::weak_ptr<Object>(std::static_pointer_cast<Object>(component))));
  } else {
    Engine::RelayMessage(
        MessagePool::Make<CreatedComponentMessage>(CoreSenderName(), std::weak_ptr<Component>(component)));
  }
}
