// The tool form of developer builds: a small floating bar whose buttons work
// on the main window's active law tab (link editor, next record, special
// search) and save and return to a working position.
#pragma once

#include <QWidget>

class QPushButton;

class TTool : public QWidget {
    Q_OBJECT
public:
    // Created with the application as owner; frees itself when closed.
    TTool();
    ~TTool() override;

    void Button1Click(); // HyperLink
    void Button2Click(); // NextData
    void Button3Click(); // SpecialSearch
    void Button4Click(); // ReturnPositon
    void Button5Click(); // PositionSave
    void FormClose();

    // Left to right: Button1, Button3, Button5, Button4, Button2.
    QPushButton* Button1 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button2 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
};

// A new tool form, made Tool and shown; every call makes one more.
void ToolFormOpen();
