#pragma once
// Every message class of the bus, for code that handles many kinds.
// The quit message has no class of its own: a plain Message of type MT_QUIT.
#include "core/GameFlowMessages.h"
#include "core/InputMessages.h"
#include "core/Message.h"
#include "core/MessageEnums.h"
#include "core/MessageType.h"
#include "core/ObjectMessages.h"
#include "core/RenderMessages.h"
#include "core/WindowMessages.h"
