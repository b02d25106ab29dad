// The scratch-file load: puts text into a rich edit through the file
// "C2.dl_" when the direct way fails or shows a different text.
#pragma once

#include "platform/db/dataset.h"

namespace ui {
class RichEdit;
}

// Writes `source` to "C2.dl_" in the current directory (its lines, each
// followed by CR LF), loads the target from it, leaves the target read-only
// and deletes the file. Throws when the file cannot be written or read.
void ScratchFileLoad(ui::RichEdit& target, const db::StringList& source);
// The same with another rich edit's whole content, in rich-text form.
void ScratchFileLoad(ui::RichEdit& target, const ui::RichEdit& source);
