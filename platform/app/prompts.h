// The one seam for every message box and question. By default the real
// message boxes answer; a test installs its own Prompter and plans the
// answers. Texts and captions are CP932.
#pragma once

#include <string>
#include <string_view>

namespace platform {

enum class PromptKind {
    Message,     // plain message with OK, captioned with the application title
    YesNo,       // Yes/No with a question icon
    YesNoCancel, // Yes/No/Cancel with a question icon
    YesNoPlain,  // Yes/No without an icon
    Information, // information icon, OK
    Error,       // the application's default error box
};

enum class Answer { Ok, Yes, No, Cancel };

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual Answer Ask(PromptKind kind, const std::string& text, const std::string& caption) = 0;
};

// Installs `prompter` (nullptr: the real message boxes); returns the one before.
Prompter* SetPrompter(Prompter* prompter);

void ShowMessage(std::string_view text);
Answer AskYesNo(std::string_view text, std::string_view caption);
Answer AskYesNoCancel(std::string_view text, std::string_view caption);
Answer AskYesNoPlain(std::string_view text, std::string_view caption);
void ShowInformation(std::string_view text, std::string_view caption);
// The default error box: the message of an error that no handler caught.
void ShowError(std::string_view text);

} // namespace platform
