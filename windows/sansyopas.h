// The reference-search dialog: scope, memo-window choice and its size. It
// writes its choices to SansyoHanni, SansyoMemo and SansyoSize on OK and
// leaves them as they were on cancel.
#pragma once

#include <QDialog>

#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
namespace ui {
class RadioGroup;
}

class TSansyo : public QDialog {
    Q_OBJECT
public:
    // Built without owner and preset from SansyoCode and SansyoKubunNo.
    TSansyo();
    ~TSansyo() override;

    void FormCreate();
    void FormShow();
    void SansyoOkButtonClick();
    void SansyoCancelButtonClick();
    void SansyoHelpButtonClick();
    void FormClose();

    QLabel* Label1 = nullptr;
    QGroupBox* SansyoGroupBox1 = nullptr; // 検索範囲
    QRadioButton* SansyoRadioButtonSeirei = nullptr;
    QRadioButton* SansyoRadioButtonKisoku = nullptr;
    QRadioButton* SansyoRadioButtonKai = nullptr;
    QRadioButton* SansyoRadioButtonAll = nullptr;
    ui::RadioGroup* SansyoRadioGroup2 = nullptr; // 現在の条文
    ui::RadioGroup* SansyoRadioGroup3 = nullptr; // メモウインドウの大きさ
    QPushButton* SansyoOkButton = nullptr;
    QPushButton* SansyoCancelButton = nullptr;
    QPushButton* SansyoHelpButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

// Creates the dialog into Sansyo, lets `prepare` adjust it, shows it
// modally and frees it once it has closed. The choices are in SansyoHanni,
// SansyoMemo and SansyoSize (left as they were when it is cancelled).
void SansyoDialogRun(const std::function<void(TSansyo&)>& prepare = {});

// How SansyoDialogRun shows the dialog: modally by default. A test installs
// a function that fills and answers it instead; returns the one before.
using SansyoShowFunction = std::function<void(TSansyo&)>;
SansyoShowFunction SetSansyoShow(SansyoShowFunction show);
