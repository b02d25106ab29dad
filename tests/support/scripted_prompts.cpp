#include "scripted_prompts.h"

#include "platform/text/sjis.h"

#include <gtest/gtest.h>

ScriptedPrompts::ScriptedPrompts() : before_(platform::SetPrompter(this)) {}

ScriptedPrompts::~ScriptedPrompts()
{
    platform::SetPrompter(before_);
    for (std::size_t i = next_; i < plans_.size(); ++i)
        ADD_FAILURE() << "planned prompt not shown: " << sjis::toUtf8(plans_[i].text);
}

void ScriptedPrompts::Expect(platform::PromptKind kind, std::string cp932Text, platform::Answer answer)
{
    plans_.push_back({kind, std::move(cp932Text), answer});
}

platform::Answer ScriptedPrompts::Ask(platform::PromptKind kind, const std::string& text,
                                      const std::string& caption)
{
    shown_.push_back({kind, text, caption});
    if (next_ >= plans_.size() || plans_[next_].kind != kind || plans_[next_].text != text) {
        ADD_FAILURE() << "unexpected prompt (kind " << static_cast<int>(kind)
                      << "): " << sjis::toUtf8(text);
        return platform::Answer::Cancel;
    }
    return plans_[next_++].answer;
}
