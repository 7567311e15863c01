#include "app/EventLog.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <ostream>

namespace {

// Whether an existing regular file starts with our header; devices and
// pipes are written to as they are.
bool MayReplace(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error) || std::filesystem::file_size(path, error) == 0) return true;
  std::ifstream existing(path, std::ios::binary);
  std::string start(std::char_traits<char>::length(EventLog::kHeader), '\0');
  existing.read(start.data(), static_cast<std::streamsize>(start.size()));
  return existing.gcount() == static_cast<std::streamsize>(start.size()) && start == EventLog::kHeader;
}

}  // namespace

bool EventLog::OpenFile(const std::string& path, const std::string& header, std::string& error) {
  if (!MayReplace(path)) {
    error = path + " exists and is not a tidewater-host log; not overwriting it";
    return false;
  }
  mFile.open(path, std::ios::out | std::ios::trunc);
  if (!mFile.is_open()) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  mPath = path;
  mFile << header << '\n';
  return true;
}

bool EventLog::FinishFile(std::string& error) {
  if (!mFile.is_open()) return true;
  mFile.flush();
  if (!mFile || mWriteFailed) {
    error = "writing " + mPath + " failed: " + std::strerror(errno != 0 ? errno : EIO);
    mFile.close();
    return false;
  }
  mFile.close();
  return true;
}

std::string EventLog::Format(float seconds, const std::string& subject, const std::string& text) {
  char time[32];
  std::snprintf(time, sizeof time, "%7.2f", static_cast<double>(seconds));
  std::string line = time;
  line += "  ";
  line += subject;
  if (subject.size() < 12) line.append(12 - subject.size(), ' ');
  line += ' ';
  line += text;
  return line;
}

void EventLog::Add(float seconds, const std::string& subject, const std::string& text) {
  std::string line = Format(seconds, subject, text);
  if (mEcho != nullptr) {
    if (!mStatus.empty()) *mEcho << "\r\033[K";
    *mEcho << line << '\n';
    if (!mStatus.empty()) *mEcho << mStatus;
    mEcho->flush();
  }
  if (mFile.is_open()) {
    mFile << line << '\n';
    mWriteFailed = mWriteFailed || !mFile;
  }
  mLines.push_back(std::move(line));
  if (mObserver) mObserver(seconds, subject, text);
}

std::size_t EventLog::Count(const std::string& fragment) const {
  std::size_t count = 0;
  for (const std::string& line : mLines) count += line.find(fragment) != std::string::npos ? 1 : 0;
  return count;
}

void EventLog::ShowStatus(const std::string& status) {
  mStatus = status;
  if (mEcho == nullptr) return;
  *mEcho << "\r\033[K" << mStatus;
  mEcho->flush();
}

void EventLog::ClearStatus() {
  if (mStatus.empty()) return;
  mStatus.clear();
  if (mEcho == nullptr) return;
  *mEcho << "\r\033[K";
  mEcho->flush();
}
