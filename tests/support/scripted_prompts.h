// Answers the prompt seam in tests: planned answers in order, every prompt
// recorded, and a prompt that was not planned (or not as planned) fails the
// test instead of blocking on a message box.
#pragma once

#include "platform/app/prompts.h"

#include <cstddef>
#include <string>
#include <vector>

class ScriptedPrompts : public platform::Prompter {
public:
    struct Prompt {
        platform::PromptKind kind;
        std::string text; // CP932
        std::string caption;
    };

    ScriptedPrompts();           // installs itself
    ~ScriptedPrompts() override; // restores the one before; planned prompts left over fail

    void Expect(platform::PromptKind kind, std::string cp932Text,
                platform::Answer answer = platform::Answer::Ok);
    const std::vector<Prompt>& Shown() const { return shown_; }

    platform::Answer Ask(platform::PromptKind kind, const std::string& text,
                         const std::string& caption) override;

private:
    struct Plan {
        platform::PromptKind kind;
        std::string text;
        platform::Answer answer;
    };
    std::vector<Plan> plans_;
    std::size_t next_ = 0;
    std::vector<Prompt> shown_;
    platform::Prompter* before_;
};
