// What the program asks of the operating system besides files and windows:
// the desktop's handler for documents and web addresses, the clipboard, the
// display's colour table, the tick count and deleting a file. A test installs
// its own System to answer these.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class QWidget;

namespace platform {

class System {
public:
    virtual ~System() = default;
    // A file name in the current directory or a web address, opened by the
    // desktop's handler; false when none takes it.
    virtual bool OpenDocument(std::string_view cp932NameOrUrl);
    virtual void SetClipboardText(std::string_view cp932);
    virtual std::string ClipboardText();
    // Size of the colour table of the display that shows `window`: 0 or more
    // on a palette display, -1 on a true-colour one.
    virtual int ColorTableSize(const QWidget& window);
    // Milliseconds since the system started.
    virtual std::int64_t TickCount();
    // A file in the current directory; false when it could not be deleted.
    virtual bool DeleteFile(std::string_view cp932Name);
};

// The system in use.
System& Sys();
// Installs `system` (nullptr: the real one); returns the one before.
System* SetSystem(System* system);

} // namespace platform
