// Answers the prompt seam for tests that count the messages shown: every
// prompt is recorded and answered OK.
#pragma once

#include "platform/app/prompts.h"

#include <string>
#include <utility>
#include <vector>

class PromptLog : public platform::Prompter {
public:
    PromptLog();           // installs itself
    ~PromptLog() override; // restores the one before

    platform::Answer Ask(platform::PromptKind kind, const std::string& text, const std::string&) override;

    std::vector<std::pair<platform::PromptKind, std::string>> shown; // kind, CP932 text

private:
    platform::Prompter* before_;
};
