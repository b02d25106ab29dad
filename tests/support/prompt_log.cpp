#include "prompt_log.h"

PromptLog::PromptLog() : before_(platform::SetPrompter(this)) {}

PromptLog::~PromptLog()
{
    platform::SetPrompter(before_);
}

platform::Answer PromptLog::Ask(platform::PromptKind kind, const std::string& text, const std::string&)
{
    shown.push_back({kind, text});
    return platform::Answer::Ok;
}
