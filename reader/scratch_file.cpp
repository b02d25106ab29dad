#include "reader/scratch_file.h"

#include "platform/app/system.h"
#include "platform/app/text_file.h"
#include "platform/richedit/rich_edit.h"

#include <string>

namespace {

const std::string ScratchFileName = "C2.dl_";

// Steps 2 to 5 of the load. A load that fails still leaves the target
// read-only and no scratch file behind, so the view never turns editable.
void loadAndDelete(ui::RichEdit& target)
{
    struct Cleanup {
        ui::RichEdit& target;
        ~Cleanup()
        {
            target.SetReadOnly(true);
            platform::Sys().DeleteFile(ScratchFileName);
        }
    } cleanup{target};
    target.SetReadOnly(false);
    target.LoadFromFile(ScratchFileName);
}

} // namespace

void ScratchFileLoad(ui::RichEdit& target, const db::StringList& source)
{
    platform::SaveLines(ScratchFileName, source);
    loadAndDelete(target);
}

void ScratchFileLoad(ui::RichEdit& target, const ui::RichEdit& source)
{
    source.SaveToFile(ScratchFileName);
    loadAndDelete(target);
}
