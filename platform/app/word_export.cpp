#include "platform/app/word_export.h"

#include "platform/app/seam.h"

namespace platform {

namespace {

// This system has no automation back end: every call fails as a refused
// connection does, so callers take their fallback.
class Unavailable : public WordApplication {
public:
    void Connect() override { refuse(); }
    void SetVisible(bool) override { refuse(); }
    void AddDocument() override { refuse(); }
    void PasteIntoSelection() override { refuse(); }
    void MoveSelectionUp(int, int, int) override { refuse(); }
    void Disconnect() override {}

private:
    [[noreturn]] static void refuse()
    {
        throw WordError("Microsoft Word automation is not available on this system");
    }
};

Unavailable unavailable;
Seam<WordApplication> wordSeam(unavailable);

} // namespace

WordApplication& Word()
{
    return wordSeam.Current();
}

WordApplication* SetWordApplication(WordApplication* replacement)
{
    return wordSeam.Install(replacement);
}

} // namespace platform
