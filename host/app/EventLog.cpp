#include "app/EventLog.h"

#include <cstdio>
#include <ostream>

bool EventLog::OpenFile(const std::string& path) {
  mFile.open(path, std::ios::out | std::ios::trunc);
  return mFile.is_open();
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
  if (mFile.is_open()) mFile << line << '\n';
  mLines.push_back(std::move(line));
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
