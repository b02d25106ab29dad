// Answers the system seam in tests: a settable tick count and colour table,
// an in-memory clipboard, documents recorded instead of opened. Files are
// deleted for real (tests run in a temporary folder).
#pragma once

#include "platform/app/system.h"

#include <cstdint>
#include <string>
#include <vector>

class FakeSystem : public platform::System {
public:
    FakeSystem();           // installs itself
    ~FakeSystem() override; // restores the one before

    std::int64_t tickCount = 0;
    int colorTableSize = -1; // a true-colour display
    std::string clipboard;
    std::vector<std::string> opened;

    bool OpenDocument(std::string_view cp932NameOrUrl) override;
    void SetClipboardText(std::string_view cp932) override;
    std::string ClipboardText() override;
    int ColorTableSize(const QWidget& window) override;
    std::int64_t TickCount() override;

private:
    platform::System* before_;
};
