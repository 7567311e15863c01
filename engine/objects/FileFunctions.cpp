#include "objects/FileFunctions.h"

#include "platform/FileSystem.h"

std::vector<std::wstring> GetFilesInWindowsDirectory(const std::wstring& folder) {
  const std::vector<std::string> names = Platform::GetFileSystem().ListFiles(Platform::NativePath(folder));
  std::vector<std::wstring> paths;
  paths.reserve(names.size());
  for (const std::string& name : names) {
    // Widened byte by byte so that the path converts back to the same bytes.
    paths.push_back(folder + WidenName(name));
  }
  return paths;
}

bool DirExists(const std::wstring& path) { return Platform::GetFileSystem().IsDirectory(Platform::NativePath(path)); }

int MakeDir(const std::wstring& path) { return Platform::GetFileSystem().MakeDirectory(Platform::NativePath(path)); }

char Wide_to_String(wchar_t c) { return static_cast<char>(static_cast<unsigned char>(c & 0xFF)); }

std::wstring WidenName(const std::string& name) {
  std::wstring wide;
  Platform::WidenInto(wide, name);
  return wide;
}

std::string NarrowName(const std::wstring& name) {
  std::string narrow;
  narrow.reserve(name.size());
  for (const wchar_t c : name) {
    narrow += Wide_to_String(c);
  }
  return narrow;
}
