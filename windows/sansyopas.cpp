#include "windows/sansyopas.h"

#include "data/namepas.h"
#include "platform/app/modal.h"
#include "platform/text/sjis.h"
#include "platform/ui/button.h"
#include "platform/ui/radio_group.h"
#include "reader/web_pages.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>
#include <memory>

namespace {

QString Caption(const char* utf8)
{
    return sjis::toQString(sjis::fromUtf8(utf8));
}

bool OneOf(int k, std::initializer_list<int> codes)
{
    return std::find(codes.begin(), codes.end(), k) != codes.end();
}

void ShowModal(TSansyo& form)
{
    platform::RunModal(form);
}

SansyoShowFunction& ShowFunction()
{
    static SansyoShowFunction show = ShowModal;
    return show;
}

} // namespace

TSansyo::TSansyo()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(Caption("参照条文検索"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a dialog border: not sizable

    Label1 = new QLabel(Caption("政令（施行令）や財務省令（施行規則）で定める条文の表示"), this);
    layout->addWidget(Label1);

    SansyoGroupBox1 = new QGroupBox(Caption("検索範囲"), this);
    auto* scope = new QHBoxLayout(SansyoGroupBox1);
    SansyoRadioButtonSeirei = new QRadioButton(Caption("政令"), SansyoGroupBox1);
    SansyoRadioButtonKisoku = new QRadioButton(Caption("省令"), SansyoGroupBox1);
    SansyoRadioButtonKai = new QRadioButton(Caption("下位"), SansyoGroupBox1);
    SansyoRadioButtonAll = new QRadioButton(Caption("全範囲"), SansyoGroupBox1);
    for (QRadioButton* button :
         {SansyoRadioButtonSeirei, SansyoRadioButtonKisoku, SansyoRadioButtonKai, SansyoRadioButtonAll})
        scope->addWidget(button);
    SansyoRadioButtonKai->setChecked(true);
    layout->addWidget(SansyoGroupBox1);

    SansyoRadioGroup2 = new ui::RadioGroup("現在の条文"_sj, {"メモウインドウへ貼付"_sj, "何もしない"_sj}, this);
    SansyoRadioGroup2->SetItemIndex(0);
    layout->addWidget(SansyoRadioGroup2);
    SansyoRadioGroup3 = new ui::RadioGroup("メモウインドウの大きさ"_sj, {"最小サイズ"_sj, "通常サイズ"_sj}, this);
    SansyoRadioGroup3->SetItemIndex(0);
    layout->addWidget(SansyoRadioGroup3);

    auto* buttons = new QHBoxLayout;
    SansyoOkButton = new ui::Button(Caption("検　索"), this);
    SansyoCancelButton = new ui::Button(Caption("キャンセル"), this);
    SansyoHelpButton = new ui::Button(Caption("ヘルプ"), this);
    for (QPushButton* button : {SansyoOkButton, SansyoCancelButton, SansyoHelpButton})
        buttons->addWidget(button);
    layout->addLayout(buttons);

    connect(SansyoOkButton, &QPushButton::clicked, this, &TSansyo::SansyoOkButtonClick);
    connect(SansyoCancelButton, &QPushButton::clicked, this, &TSansyo::SansyoCancelButtonClick);
    connect(SansyoHelpButton, &QPushButton::clicked, this, &TSansyo::SansyoHelpButtonClick);
    connect(this, &QDialog::finished, this, &TSansyo::FormClose);
    FormCreate();
}

TSansyo::~TSansyo() = default;

// The preset: a link to the cabinet order or the ordinance fixes the scope;
// otherwise only the scopes that exist for the cited document are offered.
void TSansyo::FormCreate()
{
    if (SansyoCode == -1 || SansyoCode == -2) {
        (SansyoCode == -1 ? SansyoRadioButtonSeirei : SansyoRadioButtonKisoku)->setChecked(true);
        SansyoGroupBox1->setEnabled(false);
        return;
    }
    const int k = SansyoKubunNo;
    SansyoRadioButtonSeirei->setEnabled(OneOf(k, {10, 110, 210, 310, 410, 610, 710, 810, 950}));
    SansyoRadioButtonKisoku->setEnabled(OneOf(
        k, {10, 20, 110, 120, 210, 220, 310, 320, 410, 420, 430, 610, 620, 710, 720, 810, 820, 910, 920}));
    SansyoRadioButtonKai->setEnabled(true);
    SansyoRadioButtonAll->setEnabled(true);
    const bool all = OneOf(k, {40, 80, 140, 150, 240, 340, 350, 430, 440, 510, 740, 830});
    (all ? SansyoRadioButtonAll : SansyoRadioButtonKai)->setChecked(true);
}

void TSansyo::FormShow()
{
    SansyoOkButton->setFocus();
}

void TSansyo::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - rect().center());
    FormShow();
}

void TSansyo::SansyoOkButtonClick()
{
    if (SansyoRadioButtonAll->isChecked())
        SansyoHanni = 3;
    else if (SansyoRadioButtonKai->isChecked())
        SansyoHanni = 2;
    else if (SansyoRadioButtonKisoku->isChecked())
        SansyoHanni = 1;
    else
        SansyoHanni = 0;
    SansyoMemo = SansyoRadioGroup2->ItemIndex();
    SansyoSize = SansyoRadioGroup3->ItemIndex();
    accept();
}

void TSansyo::SansyoCancelButtonClick()
{
    reject();
}

void TSansyo::SansyoHelpButtonClick()
{
    JyokanHelpOpen();
}

// The form is freed by the one who created it as soon as it has closed; the
// global reference must not outlive it.
void TSansyo::FormClose()
{
    if (Sansyo == this)
        Sansyo = nullptr;
}

void SansyoDialogRun(const std::function<void(TSansyo&)>& prepare)
{
    const std::unique_ptr<TSansyo> form = std::make_unique<TSansyo>();
    Sansyo = form.get();
    if (prepare)
        prepare(*form);
    ShowFunction()(*form);
    form->FormClose(); // an answer that left it open frees it all the same
}

SansyoShowFunction SetSansyoShow(SansyoShowFunction show)
{
    SansyoShowFunction before = ShowFunction();
    ShowFunction() = show ? std::move(show) : ShowModal;
    return before;
}
