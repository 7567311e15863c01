#pragma once
#include "platform/Export.h"

// Writes objects and levels in the engine's text format.
class TW_API Serializer {};
