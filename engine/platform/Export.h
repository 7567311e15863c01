#pragma once
// Symbol visibility for the shared library: the library is built with hidden
// visibility, so every class a host uses is marked explicitly.
#if defined(TIDEWATER_BUILDING_LIBRARY)
#define TW_API __attribute__((visibility("default")))
#else
#define TW_API __attribute__((visibility("default")))
#endif
