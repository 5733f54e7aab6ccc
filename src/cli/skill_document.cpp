#include "cli/skill_document.hpp"

#include "skill_markdown.hpp"

namespace tessan {

// The repository's SKILL.md, embedded at build time so that `install` writes the same bytes.
const std::string_view SKILL_DOCUMENT = embedded::kSkillMarkdown;

}  // namespace tessan
