// The scratch print form: never shown; its rich edit holds a copy of the
// text being printed, so the shown view keeps its colours and caret.
#pragma once

#include <QWidget>

namespace ui {
class RichEdit;
}

class TTemp : public QWidget {
    Q_OBJECT
public:
    TTemp();

    // Fills the form ("ＭＳ 明朝", 16 pixels high), writable when created.
    ui::RichEdit* TempRichEdit1 = nullptr;
};
