// The web pages, the help pages and the About box, reached from the main
// window's menus and the Web button.
#include "search_window.h"

#include "platform/ui/tool_button.h"
#include "reader/web_pages.h"
#include "windows/memopas.h"

#include <QAction>
#include <QMenu>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <memory>
#include <utility>

class WebPagesTest : public SearchWindow {};

TEST_F(WebPagesTest, EveryWebItemOpensItsPageWhateverTheTab)
{
    struct Item {
        QAction* popup;
        QAction* menu; // the hidden main submenu's twin, if any
        int page;
        const char* name; // the caption in front of the address
        const char* accel;
        const char* menuName = nullptr; // the twin's, when it differs
    };
    const Item items[] = {
        {main_->RonvettaHomePage, main_->MenuRonvettaHomePage, 1, "Ronvetta ｻﾎﾟｰﾄﾎｰﾑﾍﾟｰｼﾞ ", "(&S)"},
        {main_->HoureiDataBase, main_->MenuHoureiDataBase, 2, "総務省 法令ﾃﾞｰﾀ提供ｼｽﾃﾑ ", "(&L)"},
        {main_->KokuzeiTutatu, main_->MenuKokuzeiTutatu, 3, "国税庁 通達ﾎｰﾑﾍﾟｰｼﾞ ", "(&T)"},
        {main_->TaxAnswer, main_->MenuTaxAnswer, 4, "国税庁 ﾀｯｸｽｱﾝｻｰ ", "(&F)",
         "国税庁 ﾀｯｸｽｱﾝｻｰ(届出書式等)  "},
        {main_->KokuzeiRosen, main_->MenuKokuzeiRosen, 5, "国税庁 路線価図 ", "(&R)"},
        {main_->HuhukuSaiketu, main_->MenuHuhukuSaiketu, 6, "国税不服審判所 裁決事例 ", "(&K)"},
        {main_->KokuzeiSitugi, nullptr, 7, "国税庁 質疑応答事例検索  ", "(&J)"},
        {main_->KokuzeiHp, nullptr, 8, "国税庁 ", "(&G)"},
        {main_->OrvelKawase, nullptr, 9, "Orvel 外国為替レート・金利・株価　月末推移表 ", "(&D)"},
    };
    const char* const addresses[] = {
        "https://ronvetta.example.jp/support/", "https://elaws.e-gov.go.jp/",
        "https://www.nta.go.jp/law/tsutatsu/menu.htm", "https://www.nta.go.jp/taxes/shiraberu/taxanswer/index2.htm",
        "https://www.rosenka.nta.go.jp/", "https://www.kfs.go.jp/service/",
        "https://www.nta.go.jp/law/shitsugi/01.htm", "https://www.nta.go.jp/", "https://orvel.example.jp/kawase/"};
    Activate(BooksTabSheet[Sbooks]);
    for (const Item& item : items) {
        SCOPED_TRACE(item.page);
        system_.opened.clear();
        item.popup->trigger();
        if (item.menu)
            item.menu->trigger();
        const std::string address = addresses[item.page - 1];
        EXPECT_EQ(system_.opened, std::vector<std::string>(item.menu ? 2 : 1, address));
        // The caption shows the address it opens.
        EXPECT_EQ(item.popup->text().toStdString(), item.name + address + item.accel);
        if (item.menu) {
            EXPECT_EQ(item.menu->text().toStdString(),
                      (item.menuName ? item.menuName : item.name) + address + item.accel);
        }
    }
}

TEST_F(WebPagesTest, HelpPagesAreOpenedByTheirNames)
{
    main_->HTML1->trigger();
    main_->HTML2->trigger();
    JyokanHelpOpen();
    const std::vector<std::string> expected = {"RonvettaHelp.html", "RonvettaHelp.html", "jyokan1.html"};
    EXPECT_EQ(system_.opened, expected);
    // The sample data carries both pages beside the tables.
    EXPECT_TRUE(std::filesystem::exists("RonvettaHelp.html"));
    EXPECT_TRUE(std::filesystem::exists("jyokan1.html"));
}

TEST_F(WebPagesTest, TheAboutBoxShowsItsLinesSeparatedByCarriageReturns)
{
    const std::string text = VersionInfoText();
    prompts_.Expect(platform::PromptKind::Information, text);
    main_->About1->trigger();
    ASSERT_EQ(prompts_.Shown().size(), 1u);
    EXPECT_EQ(prompts_.Shown()[0].caption, "Ronvetta バージョン情報"_sj);

    EXPECT_EQ(text.find('\n'), std::string::npos);
    ASSERT_TRUE(text.ends_with("\r"));
    std::vector<std::string> lines;
    for (std::size_t from = 0, cr; (cr = text.find('\r', from)) != std::string::npos; from = cr + 1)
        lines.push_back(text.substr(from, cr - from));
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[0], "Ronvetta Ver1.0");
    EXPECT_TRUE(lines[4].starts_with("TEL "));
    EXPECT_TRUE(lines[5].starts_with("FAX "));
    EXPECT_TRUE(lines[6].starts_with("E-MAIL "));
    EXPECT_TRUE(lines[7].starts_with("URL "));
    const std::vector<std::string> tail = {"",
                                           "収録条文　平成23年7月1日現在"_sj,
                                           "",
                                           "適用事業年度開始日"_sj,
                                           "　平成23年4月1日～平成24年3月31日"_sj,
                                           "適用事業年度終了日"_sj,
                                           "　平成24年3月31日～平成25年3月30日"_sj};
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 8, lines.end()), tail);
}

TEST_F(WebPagesTest, AnyPressOnAWebButtonPopsTheMenuUpRightOfItsWindowsClientOrigin)
{
    Activate(JyobunTabSheet[Syohi]);
    prompts_.Expect(platform::PromptKind::YesNoCancel, "メモウインドウを画面一杯に大きくしますか。"_sj,
                    platform::Answer::Yes);
    MemoWindowOpen();
    const std::unique_ptr<TMemoWindow> memo(std::exchange(MemoWindow, nullptr));
    struct Button {
        QWidget* button;
        const QWidget* client;
        int right;
    };
    for (const Button& b :
         {Button{main_->BBtnNet, main_->centralWidget(), 200}, Button{memo->MemoNet, memo.get(), 100}})
        for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            SCOPED_TRACE(b.right);
            SCOPED_TRACE(button);
            const QPoint press(7, 9);
            QTest::mousePress(b.button, button, {}, press);
            ASSERT_TRUE(main_->NetPopupMenu1->isVisible());
            QPoint expected = b.client->mapToGlobal(press) + QPoint(b.right, 0);
            // A menu wider than the room left on the screen is moved back onto it.
            const QRect screen = main_->screen()->availableGeometry();
            expected.rx() = std::min(expected.x(), screen.right() + 1 - main_->NetPopupMenu1->width());
            EXPECT_EQ(main_->NetPopupMenu1->pos(), expected);
            main_->NetPopupMenu1->close();
            QTest::mouseRelease(b.button, button, {}, press);
            EXPECT_TRUE(system_.opened.empty()); // the button itself opens nothing
        }
    // Its items, in order.
    const QList<QAction*> expected = {main_->HTML2,         main_->RonvettaHomePage, nullptr,
                                      main_->HoureiDataBase, main_->KokuzeiTutatu,   nullptr,
                                      main_->KokuzeiSitugi, main_->TaxAnswer,        nullptr,
                                      main_->KokuzeiHp,     main_->KokuzeiRosen,     main_->HuhukuSaiketu,
                                      nullptr,              main_->OrvelKawase};
    const QList<QAction*> actions = main_->NetPopupMenu1->actions();
    ASSERT_EQ(actions.size(), expected.size());
    for (qsizetype k = 0; k < actions.size(); ++k)
        EXPECT_TRUE(expected[k] ? actions[k] == expected[k] : actions[k]->isSeparator()) << k;
}
