#pragma once
#include <string>

class CheckReport;
class SourceMap;

// Numbers that read but make no sense: every float of every archetype and
// object must be finite, and the members a match depends on (positions,
// sizes, speeds, masses, times) must lie within the host's table of sane
// values, the one its physics clamps with. A value is reported once, where
// it is written: in the archetype file, or in the level block that replaces
// the archetype's component.
namespace ValueCheck {

void Check(const std::string& level, const SourceMap& where, CheckReport& report);

}  // namespace ValueCheck
