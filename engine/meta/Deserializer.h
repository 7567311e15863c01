#pragma once
#include "platform/Export.h"

// Reads objects and levels in the engine's text format.
class TW_API Deserializer {};
