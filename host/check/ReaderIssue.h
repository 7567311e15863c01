#pragma once
#include <string>
#include <vector>

// A reason the engine's readers give for what they skipped or stopped at,
// put as a level writer needs it: "out of range" told apart from "not a
// number", a did-you-mean for an unknown archetype, component or member,
// and whatever the file held shown escaped and cut to a readable length.
namespace ReaderIssue {

// `archetypes`: the names the level's archetype folder holds.
[[nodiscard]] std::string Explain(const std::string& reason, const std::vector<std::string>& archetypes);

// Whether the reason is a block skipped for an unknown archetype or component.
[[nodiscard]] bool IsSkippedArchetype(const std::string& reason);
[[nodiscard]] bool IsSkippedComponent(const std::string& reason);

}  // namespace ReaderIssue
