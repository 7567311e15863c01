#include "PackedFiles.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

constexpr std::size_t kMaxNameBytes = 120;

bool StartsWithHeader(std::string_view text, std::size_t at) {
  return text.substr(at, PackedFiles::kHeader.size()) == PackedFiles::kHeader;
}

// The position of the next header line at or after `from`, or npos.
std::size_t NextHeader(std::string_view input, std::size_t from) {
  for (std::size_t at = from; at < input.size(); ++at) {
    if ((at == 0 || input[at - 1] == '\n') && StartsWithHeader(input, at)) return at;
    at = input.find('\n', at);
    if (at == std::string_view::npos) break;
  }
  return std::string_view::npos;
}

std::string SafeName(std::string_view name) {
  std::string safe(name.substr(0, kMaxNameBytes));
  for (char& c : safe) {
    if (c == '/' || c == '\0') c = '_';
  }
  return safe == "." || safe == ".." ? std::string() : safe;
}

}  // namespace

PackedFiles::PackedFiles(std::string_view input) {
  std::size_t header = NextHeader(input, 0);
  mFirst = input.substr(0, header);
  while (header != std::string_view::npos && mNamed.size() < kMaxFiles) {
    mHasHeaders = true;
    const std::size_t nameStart = header + kHeader.size();
    const std::size_t lineEnd = input.find('\n', nameStart);
    const std::size_t textStart = lineEnd == std::string_view::npos ? input.size() : lineEnd + 1;
    const std::size_t next = NextHeader(input, textStart);
    File file;
    file.name = std::string(input.substr(nameStart, lineEnd == std::string_view::npos ? lineEnd : lineEnd - nameStart));
    file.text = input.substr(textStart, next == std::string_view::npos ? next : next - textStart);
    mNamed.push_back(std::move(file));
    header = next;
  }
}

void PackedFiles::WriteNamed(const std::string& folder) const {
  std::error_code error;
  for (const File& file : mNamed) {
    const bool isFolder = !file.name.empty() && file.name.back() == '/';
    const std::string name = SafeName(isFolder ? std::string_view(file.name).substr(0, file.name.size() - 1)
                                               : std::string_view(file.name));
    if (name.empty()) continue;
    const std::filesystem::path path = std::filesystem::path(folder) / name;
    if (isFolder) {
      std::filesystem::create_directory(path, error);
      continue;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(file.text.data(), static_cast<std::streamsize>(file.text.size()));
  }
}
