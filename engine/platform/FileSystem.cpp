#include "platform/FileSystem.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string_view>
#include <system_error>
#include <utility>

namespace Platform {

namespace fs = std::filesystem;

namespace {
PosixFileSystem& DefaultFileSystem() {
  static PosixFileSystem fileSystem;
  return fileSystem;
}
FileSystem*& Installed() {
  static FileSystem* fileSystem = nullptr;
  return fileSystem;
}

// The root is set by the host, but paths may be converted on other threads
// (a host loading resources in the background), so it is guarded.
std::mutex& RootMutex() {
  static std::mutex mutex;
  return mutex;
}
std::string& RootStorage() {
  static std::string root;
  return root;
}

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// Length of the default root at the start of the path, or 0 when the path does
// not start with it as a whole component ("..\\..\\ResourcesOld" does not).
std::size_t RootPrefixLength(std::wstring_view path) {
  const std::wstring_view root(kDefaultResourceRoot);
  if (path.size() < root.size()) {
    return 0;
  }
  for (std::size_t i = 0; i < root.size(); ++i) {
    const bool same = IsSeparator(root[i]) ? IsSeparator(path[i]) : root[i] == path[i];
    if (!same) {
      return 0;
    }
  }
  if (path.size() > root.size() && !IsSeparator(path[root.size()])) {
    return 0;
  }
  return root.size();
}

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  }
  out += static_cast<char>(0x80 | (code & 0x3F));
}
}  // namespace

std::vector<std::string> PosixFileSystem::ListFiles(const std::string& nativeFolder) {
  std::vector<std::string> names;
  const fs::path folder = nativeFolder.empty() ? fs::path(".") : fs::path(nativeFolder);
  std::error_code error;
  fs::directory_iterator it(folder, error);
  // Errors part-way through end the listing with what was found so far.
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    std::error_code typeError;
    if (it->is_regular_file(typeError)) {
      names.push_back(it->path().filename().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool PosixFileSystem::IsDirectory(const std::string& nativePath) {
  if (nativePath.empty()) {
    return false;
  }
  std::error_code error;
  return fs::is_directory(fs::path(nativePath), error);
}

int PosixFileSystem::MakeDirectory(const std::string& nativePath) {
  if (nativePath.empty()) {
    return 0;
  }
  std::error_code error;
  // create_directory reports false without an error when the folder exists;
  // that counts as a failure, as it does for the Windows call.
  return fs::create_directory(fs::path(nativePath), error) && !error ? 1 : 0;
}

std::string PosixFileSystem::ToNativePath(const std::wstring& enginePath) {
  std::string out;
  out.reserve(enginePath.size());
  for (const wchar_t c : enginePath) {
    const auto value = static_cast<std::int64_t>(c);
    if (c == L'\\') {
      out += '/';
    } else if (value >= -128 && value < 0x80) {
      // ASCII, or a byte that was widened as a signed char: give the byte back
      // so narrow names survive a trip through the wide interface.
      out += static_cast<char>(static_cast<unsigned char>(value & 0xFF));
    } else if (value <= 0x10FFFF && value > 0) {
      AppendUtf8(out, static_cast<std::uint32_t>(value));
    } else {
      out += static_cast<char>(static_cast<unsigned char>(value & 0xFF));
    }
  }
  return out;
}

FileSystem& GetFileSystem() {
  FileSystem* installed = Installed();
  return installed != nullptr ? *installed : DefaultFileSystem();
}

void SetFileSystem(FileSystem* fileSystem) { Installed() = fileSystem; }

void SetResourceRoot(std::string nativeDir) {
  // Drop trailing separators so that the rest of the path can be appended as
  // it is; the file-system root itself stays "/".
  while (nativeDir.size() > 1 && nativeDir.back() == '/') {
    nativeDir.pop_back();
  }
  const std::lock_guard lock(RootMutex());
  RootStorage() = std::move(nativeDir);
}

std::string ResourceRoot() {
  const std::lock_guard lock(RootMutex());
  return RootStorage();
}

std::string NativePath(const std::wstring& enginePath) {
  FileSystem& fileSystem = GetFileSystem();
  const std::string root = ResourceRoot();
  const std::size_t prefix = root.empty() ? 0 : RootPrefixLength(enginePath);
  if (prefix == 0) {
    return fileSystem.ToNativePath(enginePath);
  }
  std::string rest = fileSystem.ToNativePath(enginePath.substr(prefix));
  if (root == "/" && !rest.empty()) {
    return rest;
  }
  return root + rest;
}

std::string NativePath(const std::string& enginePath) {
  std::wstring wide;
  return NativePath(WidenInto(wide, enginePath));
}

const std::wstring& WidenInto(std::wstring& buffer, std::string_view bytes) {
  buffer.resize(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) buffer[i] = static_cast<wchar_t>(static_cast<signed char>(bytes[i]));
  return buffer;
}

}  // namespace Platform
