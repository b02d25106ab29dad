// Word driven by automation. No back end exists on this system: the default
// application refuses to connect, so callers take their fallback. A back end
// (or a test) installs its own WordApplication.
#pragma once

#include <stdexcept>

namespace platform {

// Word cannot be reached or refused a call.
class WordError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class WordApplication {
public:
    // Selection units of MoveUp.
    static constexpr int wdParagraph = 4;

    virtual ~WordApplication() = default;
    // Each call throws WordError when Word cannot be reached or refuses it.
    // Attaches to a running Word or starts one.
    virtual void Connect() = 0;
    virtual void SetVisible(bool visible) = 0;
    // A new document in Word's document collection, every optional argument
    // left empty.
    virtual void AddDocument() = 0;
    // Pastes the clipboard into Word's current selection.
    virtual void PasteIntoSelection() = 0;
    // Moves (extend 0) or extends (extend 1) the selection up by `count` units.
    virtual void MoveSelectionUp(int unit, int count, int extend) = 0;
    // Lets go of Word; Word itself keeps running.
    virtual void Disconnect() = 0;
};

// The Word application in use.
WordApplication& Word();
// Installs `word` (nullptr: the default, which cannot connect); returns the one before.
WordApplication* SetWordApplication(WordApplication* word);

} // namespace platform
