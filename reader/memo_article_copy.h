// A copy of a law article view in another rich edit (a memo window, the
// scratch print form), showing the same text as the view.
#pragma once

#include <string>

namespace ui {
class RichEdit;
}

// `copy` := the rich text `rtf`; when that fails or shows another text than
// `view`, the view's content through the scratch file; when that still
// differs, the view's own copy and paste (which leaves an empty clipboard).
void MemoArticleCopy(ui::RichEdit& copy, ui::RichEdit& view, const std::string& rtf);
