#include "objects/ResourceRequests.h"

#include <memory>

#include "components/Renderable.h"
#include "core/Engine.h"
#include "core/MessagePool.h"
#include "core/ObjectMessages.h"
#include "core/RenderMessages.h"
#include "objects/Object.h"

void RelayResourceRequests(const Object& object) {
  const auto renderable = object.GetComponentAs<Renderable>(CT_Renderable);
  if (!renderable) return;
  for (const std::string& texture : renderable->GetTextures()) {
    Engine::RelayMessage(MessagePool::Make<LoadResourceMessage>(CoreSenderName(), RT_TEXTURE, texture));
  }
  Engine::RelayMessage(MessagePool::Make<LoadResourceMessage>(CoreSenderName(), RT_SHADER, renderable->GetShader()));
  Engine::RelayMessage(MessagePool::Make<LoadResourceMessage>(CoreSenderName(), RT_MODEL, renderable->GetModel()));
}
