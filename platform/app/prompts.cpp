#include "platform/app/prompts.h"

#include "platform/app/application.h"
#include "platform/app/modal.h"
#include "platform/text/sjis.h"

#include <QMessageBox>

namespace platform {
namespace {

class MessageBoxes : public Prompter {
public:
    Answer Ask(PromptKind kind, const std::string& text, const std::string& caption) override
    {
        QMessageBox box;
        box.setWindowTitle(sjis::toQString(caption));
        box.setTextFormat(Qt::PlainText);
        // The program breaks lines with CR LF or, in the About text, a lone CR.
        box.setText(sjis::toQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                        .replace(QLatin1Char('\r'), QLatin1Char('\n')));
        switch (kind) {
        case PromptKind::Message:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case PromptKind::YesNo:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case PromptKind::YesNoCancel:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case PromptKind::YesNoPlain:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case PromptKind::Information:
            box.setIcon(QMessageBox::Information);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case PromptKind::Error:
            box.setIcon(QMessageBox::Critical);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        }
        switch (RunModal(box)) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Cancel: return Answer::Cancel;
        default: return Answer::Ok;
        }
    }
};

MessageBoxes realBoxes;
Prompter* current = &realBoxes;

Answer Ask(PromptKind kind, std::string_view text, std::string_view caption)
{
    return current->Ask(kind, std::string(text), std::string(caption));
}

} // namespace

Prompter* SetPrompter(Prompter* prompter)
{
    Prompter* before = current;
    current = prompter ? prompter : &realBoxes;
    return before == &realBoxes ? nullptr : before;
}

void ShowMessage(std::string_view text)
{
    Ask(PromptKind::Message, text, ApplicationTitle());
}

Answer AskYesNo(std::string_view text, std::string_view caption)
{
    return Ask(PromptKind::YesNo, text, caption);
}

Answer AskYesNoCancel(std::string_view text, std::string_view caption)
{
    return Ask(PromptKind::YesNoCancel, text, caption);
}

Answer AskYesNoPlain(std::string_view text, std::string_view caption)
{
    return Ask(PromptKind::YesNoPlain, text, caption);
}

void ShowInformation(std::string_view text, std::string_view caption)
{
    Ask(PromptKind::Information, text, caption);
}

void ShowError(std::string_view text)
{
    Ask(PromptKind::Error, text, ApplicationTitle());
}

} // namespace platform
