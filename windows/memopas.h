// The memo window: a small floating window that keeps one law article beside
// the main window. Its article (tab and Gyo) and its rich text are fixed when
// it is created; it follows its own links, searches its selection and its
// references in the main window, moves the main window to its article,
// prints and exports. The logic behind the handlers is in reader/memo_*.
#pragma once

#include <QWidget>

#include <string>

class QAction;
class QMenu;

namespace ui {
class Panel;
class RichEdit;
class ToolButton;
} // namespace ui

class TMemoWindow : public QWidget {
    Q_OBJECT
public:
    // Created with the application as owner; frees itself when closed.
    // Runs FormCreate: where the article comes from depends on MemoLinkMode
    // (0: the active law tab's article, 1: the clicked link row's target).
    TMemoWindow();
    ~TMemoWindow() override;

    void FormCreate();
    void FormResize();
    // `pos` in the rich edit's viewport coordinates.
    void MemoRichEditMouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                               bool doubleClick, const QPoint& pos);
    void MemoRichEditMouseMove(const QPoint& pos);
    void MemoSentakuActionClick();
    void MemoKanrenClick();
    void HomeMoveClick();
    void MemoPrintClick();
    void MemoWordClick();
    void MemoCopyActionClick();
    void MemoAllSelectActionClick();
    // (x, y) relative to the button.
    void MemoNetMouseDown(const QPoint& pos);

    // The article, fixed for the window's life.
    int MemoJyobunTab = 0;
    int MemoGyo = 0;
    std::string MemoRtf; // the window's own copy of the article's rich text

    ui::Panel* MemoPanel = nullptr;
    ui::ToolButton* HomeMove = nullptr;
    ui::ToolButton* MemoPrint = nullptr;
    ui::ToolButton* MemoWord = nullptr;
    ui::ToolButton* MemoKensaku = nullptr;
    ui::ToolButton* MemoKanren = nullptr;
    ui::ToolButton* MemoNet = nullptr;
    ui::RichEdit* MemoRichEdit = nullptr;

    QMenu* MemoPopMenu1 = nullptr;
    QAction* MemoSentakuAction = nullptr;
    QAction* MemoCopyAction = nullptr;
    QAction* MemoAllSelectAction = nullptr;
    QAction* MemoPrintAction = nullptr;
    QAction* MemoWordAction = nullptr;
    QAction* MemoSansyo = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

// Creates and shows a memo window and makes it MemoWindow. Following a link
// (MemoLinkMode = 1) opens it in normal state; otherwise asks whether to
// maximise it (Yes: maximised, No: minimised, Cancel: no window).
void MemoWindowOpen();
