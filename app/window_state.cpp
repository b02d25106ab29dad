#include "app/window_state.h"

#include "platform/app/application.h"
#include "platform/app/text_file.h"

namespace {

const char* const WindowStateFile = "C3.dl_";

} // namespace

bool WindowStateMaximised()
{
    if (!platform::FileExists(WindowStateFile))
        return false;
    try {
        const std::vector<std::string> lines = platform::LoadLines(WindowStateFile);
        return !lines.empty() && lines.front() == "1";
    } catch (const platform::FileError&) {
        return false;
    }
}

void WindowStateSave(bool maximised)
{
    platform::RunGuarded([&] { platform::SaveLines(WindowStateFile, {maximised ? "1" : "0"}); });
}
