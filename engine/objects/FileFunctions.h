#pragma once
#include <string>
#include <vector>

#include "platform/Export.h"

// File helpers of the level code, also offered to the host. Paths are engine
// paths with backslashes; they reach the disk through Platform::FileSystem.

// Paths (folder + name) of the plain files directly inside the folder, which
// must end with a backslash; sorted by name, empty when the folder is missing.
[[nodiscard]] TW_API std::vector<std::wstring> GetFilesInWindowsDirectory(const std::wstring& folder);
// True when the path exists and is a folder.
[[nodiscard]] TW_API bool DirExists(const std::wstring& path);
// Creates one folder, not its parents; nonzero on success.
TW_API int MakeDir(const std::wstring& path);
// The low 8 bits of a wide character.
[[nodiscard]] TW_API char Wide_to_String(wchar_t c);
// Narrow name to wide, one character per byte; bytes >= 128 sign-extend.
[[nodiscard]] TW_API std::wstring WidenName(const std::string& name);
// Wide name to narrow, keeping the low byte of each character.
[[nodiscard]] TW_API std::string NarrowName(const std::wstring& name);
