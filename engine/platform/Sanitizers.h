#pragma once

// TW_ADDRESS_SANITIZER is defined when AddressSanitizer instruments the
// build (GCC's and Clang's ways of saying so), so that storage tricks can
// step aside and let it see every allocation and free.
#if defined(__SANITIZE_ADDRESS__)
#define TW_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TW_ADDRESS_SANITIZER 1
#endif
#endif
