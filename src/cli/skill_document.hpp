// The agent-skill description that `install` writes as SKILL.md.
#pragma once

#include <string_view>

namespace tessan {

// UTF-8 Markdown with a front-matter block, written byte for byte; the program never reads it.
extern const std::string_view SKILL_DOCUMENT;

}  // namespace tessan
