#pragma once

#include "platform/Export.h"

class Object;

// Queues the load requests for what an object draws, if it has a Renderable:
// each texture in list order, then the shader, then the model.
TW_API void RelayResourceRequests(const Object& object);
