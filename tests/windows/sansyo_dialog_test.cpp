// The reference-search dialog: its preset per cited document and link, the
// choices it hands back to the keys on its focused button, cancel and help.
#include "data/namepas.h"
#include "platform/text/sjis.h"
#include "platform/ui/radio_group.h"
#include "support/desktop_input.h"
#include "support/fake_system.h"
#include "windows/sansyopas.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <array>

namespace {

class SansyoDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        NamepasReset();
        SansyoHanni = SansyoMemo = SansyoSize = -1;
    }
    void TearDown() override { NamepasReset(); }

    static std::array<QRadioButton*, 4> Scopes(const TSansyo& form)
    {
        return {form.SansyoRadioButtonSeirei, form.SansyoRadioButtonKisoku, form.SansyoRadioButtonKai,
                form.SansyoRadioButtonAll};
    }
};

TEST_F(SansyoDialog, CaptionsAndDefaults)
{
    TSansyo form;
    EXPECT_EQ(form.parent(), nullptr);
    EXPECT_EQ(sjis::fromQString(form.windowTitle()), "参照条文検索"_sj);
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_EQ(sjis::fromQString(form.Label1->text()),
              "政令（施行令）や財務省令（施行規則）で定める条文の表示"_sj);
    EXPECT_EQ(sjis::fromQString(form.SansyoGroupBox1->title()), "検索範囲"_sj);
    const char* scopes[] = {"政令", "省令", "下位", "全範囲"};
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(sjis::fromQString(Scopes(form)[n]->text()), sjis::fromUtf8(scopes[n]));

    const struct {
        ui::RadioGroup* group;
        const char* caption;
        const char* items[2];
    } groups[] = {{form.SansyoRadioGroup2, "現在の条文", {"メモウインドウへ貼付", "何もしない"}},
                  {form.SansyoRadioGroup3, "メモウインドウの大きさ", {"最小サイズ", "通常サイズ"}}};
    for (const auto& g : groups) {
        EXPECT_EQ(sjis::fromQString(g.group->title()), sjis::fromUtf8(g.caption));
        ASSERT_EQ(g.group->Count(), 2);
        for (int n = 0; n < 2; ++n)
            EXPECT_EQ(sjis::fromQString(g.group->Button(n)->text()), sjis::fromUtf8(g.items[n]));
        EXPECT_EQ(g.group->ItemIndex(), 0);
    }
    EXPECT_EQ(sjis::fromQString(form.SansyoOkButton->text()), "検　索"_sj);
    EXPECT_EQ(sjis::fromQString(form.SansyoCancelButton->text()), "キャンセル"_sj);
    EXPECT_EQ(sjis::fromQString(form.SansyoHelpButton->text()), "ヘルプ"_sj);
}

TEST_F(SansyoDialog, PresetByCitedDocumentAndLink)
{
    struct Case {
        int code;
        int kubunNo;
        std::array<bool, 4> enabled; // 政令, 省令, 下位, 全範囲
        int checked;
        bool groupEnabled;
    };
    const Case cases[] = {
        {0, 10, {true, true, true, true}, 2, true},     // an act
        {0, 20, {false, true, true, true}, 2, true},    // its order
        {0, 30, {false, false, true, true}, 2, true},   // its ordinance
        {0, 410, {true, true, true, true}, 2, true},    // 会社法
        {0, 430, {false, true, true, true}, 3, true},   // 整備法
        {0, 950, {true, false, true, true}, 2, true},   // 監査特
        {0, 40, {false, false, true, true}, 3, true},   // a basic circular
        {0, 510, {false, false, true, true}, 3, true},  // 民法
        {0, 0, {false, false, true, true}, 2, true},    // no article
        {-1, 30, {true, false, true, true}, 0, false},  // link to the cabinet order
        {-2, 140, {false, true, true, true}, 1, false}, // link to the ordinance
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " " << c.kubunNo);
        SansyoCode = c.code;
        SansyoKubunNo = c.kubunNo;
        TSansyo form;
        EXPECT_EQ(form.SansyoGroupBox1->isEnabled(), c.groupEnabled);
        for (int n = 0; n < 4; ++n) {
            if (c.groupEnabled) {
                EXPECT_EQ(Scopes(form)[n]->isEnabled(), c.enabled[n]) << n;
            }
            EXPECT_EQ(Scopes(form)[n]->isChecked(), n == c.checked) << n;
        }
    }
}

TEST_F(SansyoDialog, EnterOrSpaceOnTheFocusedOkButtonHandsBackTheChoices)
{
    for (int scope = 0; scope < 4; ++scope) {
        SansyoKubunNo = 10;
        SansyoHanni = -1;
        TSansyo form;
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        ASSERT_EQ(QApplication::focusWidget(), form.SansyoOkButton);
        Scopes(form)[scope]->setChecked(true);
        form.SansyoRadioGroup2->SetItemIndex(scope % 2);
        form.SansyoRadioGroup3->SetItemIndex(1 - scope % 2);
        // Enter on another control presses nothing: no button is the default.
        Scopes(form)[scope]->setFocus();
        PressKey(*Scopes(form)[scope], Qt::Key_Return, {}, QStringLiteral("\r"));
        ASSERT_TRUE(form.isVisible());
        EXPECT_EQ(SansyoHanni, -1);

        form.SansyoOkButton->setFocus();
        if (scope % 2)
            PressKey(*form.SansyoOkButton, Qt::Key_Space, {}, QStringLiteral(" "));
        else if (scope == 0)
            PressKey(*form.SansyoOkButton, Qt::Key_Return, {}, QStringLiteral("\r"));
        else // the keypad's Enter
            PressKey(*form.SansyoOkButton, Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"));
        EXPECT_EQ(form.result(), QDialog::Accepted);
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(SansyoHanni, scope);
        EXPECT_EQ(SansyoMemo, scope % 2);
        EXPECT_EQ(SansyoSize, 1 - scope % 2);
    }
}

TEST_F(SansyoDialog, CancelAndHelpLeaveTheChoicesUnset)
{
    FakeSystem system;
    int shown = 0;
    const SansyoShowFunction before = SetSansyoShow([&](TSansyo& form) {
        ++shown;
        EXPECT_EQ(Sansyo, &form);
        EXPECT_FALSE(form.SansyoRadioGroup2->isEnabled()) << "adjusted before it shows";
        form.SansyoHelpButtonClick();
        EXPECT_EQ(Sansyo, &form) << "help leaves the dialog open";
        form.SansyoCancelButtonClick();
        EXPECT_EQ(form.result(), QDialog::Rejected);
    });
    SansyoDialogRun([](TSansyo& form) { form.SansyoRadioGroup2->setEnabled(false); });
    SetSansyoShow(before);

    EXPECT_EQ(shown, 1);
    EXPECT_EQ(system.opened, std::vector<std::string>{"jyokan1.html"});
    EXPECT_EQ(SansyoHanni, -1);
    EXPECT_EQ(SansyoMemo, -1);
    EXPECT_EQ(SansyoSize, -1);
    EXPECT_EQ(Sansyo, nullptr);
}

} // namespace
