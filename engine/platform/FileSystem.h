#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/Export.h"

namespace Platform {

// The few file-system operations the level code needs. The engine builds its
// paths with backslashes ("..\\..\\Resources\\Levels\\Ship\\Ship.txt") and only
// turns them into native paths here, at the edge. The host or a test may
// install another file system, for instance one that maps paths elsewhere.
class TW_API FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Names (not paths) of the regular files directly inside a native folder,
  // sorted bytewise so that loading does not depend on directory order.
  // Subfolders and special files are left out; a folder that cannot be read
  // gives an empty list. An empty folder string means the current directory.
  [[nodiscard]] virtual std::vector<std::string> ListFiles(const std::string& nativeFolder) = 0;
  // True when the native path exists and is a folder.
  [[nodiscard]] virtual bool IsDirectory(const std::string& nativePath) = 0;
  // Creates one folder, not its parents. Nonzero on success; zero when the
  // folder already exists or cannot be made.
  virtual int MakeDirectory(const std::string& nativePath) = 0;
  // Engine path to native path: separators only, no resource-root mapping
  // (that is NativePath's job, so it applies whichever file system is in use).
  [[nodiscard]] virtual std::string ToNativePath(const std::wstring& enginePath) = 0;
};

// std::filesystem on a POSIX system. Backslashes become '/'. Characters that
// came from widening a narrow byte (-128..-1) turn back into that byte, ASCII
// stays, and other characters are written as UTF-8.
class TW_API PosixFileSystem final : public FileSystem {
 public:
  std::vector<std::string> ListFiles(const std::string& nativeFolder) override;
  bool IsDirectory(const std::string& nativePath) override;
  int MakeDirectory(const std::string& nativePath) override;
  std::string ToNativePath(const std::wstring& enginePath) override;
};

// The file system in use; a PosixFileSystem until another one is installed.
TW_API FileSystem& GetFileSystem();
// Installs a file system the caller keeps alive; nullptr restores the default.
TW_API void SetFileSystem(FileSystem* fileSystem);

// The root every resource path starts with.
inline constexpr wchar_t kDefaultResourceRoot[] = L"..\\..\\Resources";

// Points the resource root at a native folder: a path starting with
// kDefaultResourceRoot (as a whole path component) is rebased onto it when
// converted. An empty string restores the default, which leaves such paths
// relative to the current directory.
TW_API void SetResourceRoot(std::string nativeDir);
// The installed resource root; empty when none is set.
[[nodiscard]] TW_API std::string ResourceRoot();

// Full conversion of an engine path to a path the C++ library can open: the
// resource root mapping, then the installed file system's ToNativePath.
[[nodiscard]] TW_API std::string NativePath(const std::wstring& enginePath);
// The same for a narrow engine path; each byte stands for one character.
[[nodiscard]] TW_API std::string NativePath(const std::string& enginePath);

// Widens a narrow name byte by byte (a byte of 128 or more as a negative
// char, sign-extended) into a buffer the caller may reuse, so that reading a
// level's thousands of names allocates nothing.
TW_API const std::wstring& WidenInto(std::wstring& buffer, std::string_view bytes);

}  // namespace Platform
