#include "meta/TextReadReport.h"

namespace META {

namespace {
thread_local TextReadReport* gInstalled = nullptr;
}  // namespace

TextReadReport::Scope::Scope(TextReadReport& report) : mPrevious(gInstalled) { gInstalled = &report; }

TextReadReport::Scope::~Scope() { gInstalled = mPrevious; }

TextReadReport* TextReadReport::Installed() { return gInstalled; }

}  // namespace META
