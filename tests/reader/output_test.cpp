// Printing, the clipboard and the Word export: the printer answered by a
// recording stand-in, Word by one that refuses or records, the export file
// read back as bytes.
#include "search_window.h"

#include "platform/app/printing.h"
#include "platform/app/word_export.h"
#include "platform/richedit/rich_edit.h"
#include "platform/ui/memo.h"
#include "reader/output.h"
#include "support/temp_dir.h"

#include <QDir>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

namespace {

// Answers the printer set-up and records what would have gone to paper.
class FakePrinting : public platform::Printing {
public:
    FakePrinting() : before_(platform::SetPrinting(this)) {}
    ~FakePrinting() override { platform::SetPrinting(before_); }

    bool accept = true;
    int setups = 0;
    struct Article {
        std::string text;
        QRect pageRect;
        std::string title;
        bool plainBlack11 = true; // every character black, not bold, 11 points
    };
    std::vector<Article> articles;
    struct Form {
        bool memoShown;
        bool richShown;
        std::string memoText;
    };
    std::vector<Form> forms;
    int book = Sbooks;

    bool PrinterSetup(QWidget*) override
    {
        ++setups;
        return accept;
    }
    void PrintRichEdit(const ui::RichEdit& view, const QRect& pageRect, const std::string& title) override
    {
        Article a{view.Text(), pageRect, title};
        for (QTextBlock block = view.document()->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                if (f.foreground().color() != Qt::black || f.fontWeight() > QFont::Normal
                    || f.fontPointSize() != 11)
                    a.plainBlack11 = false;
            }
        articles.push_back(a);
    }
    void PrintForm(QWidget&) override
    {
        forms.push_back({!BooksMemo[book]->isHidden(), !BooksRichEdit[book]->isHidden(),
                         BooksMemo[book]->Text()});
    }

private:
    platform::Printing* before_;
};

// The real printer; its set-up answers as the dialog's "print to file" on
// A4 paper would.
class PdfPrinting : public platform::Printing {
public:
    explicit PdfPrinting(QString file) : file_(std::move(file)), before_(platform::SetPrinting(this)) {}
    ~PdfPrinting() override
    {
        SharedPrinter().setOutputFileName({});
        platform::SetPrinting(before_);
    }
    bool PrinterSetup(QWidget*) override
    {
        QPrinter& printer = SharedPrinter();
        printer.setOutputFileName(file_);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printable = printer.pageLayout().paintRect(QPageLayout::Point);
        return true;
    }
    QRectF printable;

private:
    QString file_;
    platform::Printing* before_;
};

// What poppler finds in a PDF: the title and, per page, the box around all
// of its words, in points.
struct PdfText {
    QString title;
    std::vector<QRectF> pages;
};

PdfText ReadPdfText(const QString& file)
{
    QProcess poppler;
    poppler.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    PdfText out;
    if (!poppler.waitForFinished() || poppler.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext (poppler-utils) did not run";
        return out;
    }
    const QString html = QString::fromUtf8(poppler.readAllStandardOutput());
    const QRegularExpression title(QStringLiteral("<title>(.*)</title>"));
    out.title = title.match(html).captured(1);
    const QRegularExpression tag(QStringLiteral(
        "<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\""));
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(1).isEmpty()) {
            out.pages.emplace_back();
        } else if (!out.pages.empty()) {
            out.pages.back() |= QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                       QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
        }
    }
    return out;
}

// Records the calls Word receives; `failAt` names the call that refuses.
class FakeWord : public platform::WordApplication {
public:
    FakeWord() : before_(platform::SetWordApplication(this)) {}
    ~FakeWord() override { platform::SetWordApplication(before_); }

    std::string failAt;
    std::vector<std::string> calls;

    void Connect() override { call("Connect"); }
    void SetVisible(bool visible) override { call(visible ? "SetVisible(true)" : "SetVisible(false)"); }
    void AddDocument() override { call("AddDocument"); }
    void PasteIntoSelection() override { call("Paste"); }
    void MoveSelectionUp(int unit, int count, int extend) override
    {
        call("MoveUp(" + std::to_string(unit) + "," + std::to_string(count) + "," + std::to_string(extend)
             + ")");
    }
    void Disconnect() override { call("Disconnect"); }

private:
    void call(const std::string& name)
    {
        calls.push_back(name);
        if (name.starts_with(failAt) && !failAt.empty())
            throw platform::WordError("refused");
    }
    platform::WordApplication* before_;
};

std::string ReadBytes(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

class OutputTest : public SearchWindow {
protected:
    void SetUp() override
    {
        SearchWindow::SetUp();
        Activate(JyobunTabSheet[Syohi]);
    }
    static ui::RichEdit& Article() { return *JyobunRichEdit[Syohi]; }

    FakePrinting printer_;
};

TEST_F(OutputTest, ACancelledPrinterSetUpPrintsNothing)
{
    printer_.accept = false;
    main_->BBtnPrintClick();
    EXPECT_EQ(printer_.setups, 1);
    EXPECT_TRUE(printer_.articles.empty());
    EXPECT_EQ(Temp, nullptr);

    Activate(BooksTabSheet[Sbooks]);
    main_->PrintAction->trigger();
    EXPECT_EQ(printer_.setups, 2);
    EXPECT_TRUE(printer_.forms.empty());
    EXPECT_FALSE(BooksRichEdit[Sbooks]->isHidden());
    EXPECT_TRUE(BooksMemo[Sbooks]->isHidden());
}

TEST_F(OutputTest, ALawArticlePrintsAsBlackTextIntoThePageRectangle)
{
    const std::string shown = Article().Text();
    const std::string rtf = Article().SaveRichText();
    ASSERT_FALSE(shown.empty());
    // The cached rich text, none at all, or one of another article: paper shows the view.
    for (const std::string& cache : {JyobunRtfCache[Syohi], std::string(), std::string("{\\rtf1 other}")}) {
        JyobunRtfCache[Syohi] = cache;
        main_->BBtnPrintClick();
        ASSERT_FALSE(printer_.articles.empty());
        const FakePrinting::Article& a = printer_.articles.back();
        EXPECT_EQ(a.text, shown);
        EXPECT_EQ(a.pageRect, QRect(QPoint(60, 70), QPoint(2249, 3249)));
        EXPECT_EQ(a.title, "Ronvetta 条文印刷"_sj);
        EXPECT_TRUE(a.plainBlack11);
        EXPECT_EQ(Temp, nullptr);
        EXPECT_FALSE(std::filesystem::exists("C2.dl_"));
    }
    EXPECT_EQ(printer_.articles.size(), 3u);
    // The view keeps its colours.
    EXPECT_EQ(Article().SaveRichText(), rtf);
}

TEST_F(OutputTest, ALawPrintFillsThePageInsideItsMargins)
{
    // 120 lines, each longer than the page is wide.
    const std::string line = std::string(40, 'x') + "この法律において課税資産の譲渡等とは、"
                             "事業として対価を得て行われる資産の譲渡及び貸付け並びに役務の提供をいう。\r\n";
    std::string text;
    for (int n = 1; n <= 120; ++n)
        text += "第" + std::to_string(n) + "条　" + line;
    Article().LoadPlainText(sjis::fromUtf8(text));
    QTextBlockFormat indent; // half an inch, as the screen shows it
    indent.setLeftMargin(Article().logicalDpiX() / 2.0);
    QTextCursor all(Article().document());
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(indent);
    JyobunRtfCache[Syohi] = Article().SaveRichText(); // as the article build makes it
    const QString file = QDir::current().absoluteFilePath(QStringLiteral("article.pdf"));
    QRectF printable;
    {
        PdfPrinting pdf(file);
        main_->BBtnPrintClick();
        printable = pdf.printable;
    }
    const PdfText printed = ReadPdfText(file);
    EXPECT_EQ(printed.title, QString::fromUtf8("Ronvetta 条文印刷"));
    ASSERT_GT(printed.pages.size(), 1u);
    // The rectangle (60, 70)-(2250, 3250) of a 300-dpi printer: 5 mm from the
    // left and top of the printable area, 7.3 by 10.6 inches; no line of one
    // page shows again at the edge of another.
    const QRectF inside =
        QRectF(QPointF(60, 70) * 0.24, QPointF(2250, 3250) * 0.24).translated(printable.topLeft());
    for (const QRectF& words : printed.pages)
        EXPECT_TRUE(inside.adjusted(-1, -1, 1, 1).contains(words)) << words.top() << " to " << words.bottom();
    EXPECT_NEAR(printed.pages[0].left(), inside.left() + 36, 2) << "the indent on paper";
    EXPECT_GT(printed.pages[0].width(), 0.85 * inside.width());
    EXPECT_GT(printed.pages[0].height(), 0.9 * inside.height());
}

TEST_F(OutputTest, WithoutTheScratchFileTheArticleIsCopiedThroughTheClipboard)
{
    ASSERT_TRUE(std::filesystem::create_directory("C2.dl_"));
    JyobunRtfCache[Syohi].clear();
    Article().SetSelStart(10);
    Article().SetSelLength(6);
    system_.clipboard = "before";
    main_->BBtnPrintClick();
    std::filesystem::remove("C2.dl_");
    ASSERT_EQ(printer_.articles.size(), 1u);
    EXPECT_EQ(printer_.articles[0].text, Article().Text());
    EXPECT_EQ(Article().SelStart(), 10);
    EXPECT_EQ(Article().SelLength(), 0);
    EXPECT_EQ(system_.clipboard, "");
}

TEST_F(OutputTest, ABookTabPrintsTheWindowWithThePlainMemoInPlaceOfTheRichEdit)
{
    Activate(BooksTabSheet[Sbooks]);
    const std::string entry = BooksRichEdit[Sbooks]->Text();
    ASSERT_FALSE(entry.empty());
    main_->PrintAction1->trigger();
    ASSERT_EQ(printer_.forms.size(), 1u);
    EXPECT_TRUE(printer_.forms[0].memoShown);
    EXPECT_FALSE(printer_.forms[0].richShown);
    EXPECT_EQ(printer_.forms[0].memoText, entry);
    EXPECT_FALSE(BooksRichEdit[Sbooks]->isHidden());
    EXPECT_TRUE(BooksMemo[Sbooks]->isHidden());
    EXPECT_EQ(BooksMemo[Sbooks]->Text(), "");
}

TEST_F(OutputTest, CopiesTakeTheSelectionOrTheWholeTextOfTheTabsView)
{
    struct Tab {
        ui::TabSheet* sheet;
        ui::RichEdit* view;
    };
    for (const Tab t : {Tab{JyobunTabSheet[Syohi], JyobunRichEdit[Syohi]},
                        Tab{BooksTabSheet[Sbooks], BooksRichEdit[Sbooks]}}) {
        Activate(t.sheet);
        const std::string whole = t.view->Text();
        t.view->SetSelStart(0);
        main_->CopyAction->trigger();
        EXPECT_EQ(system_.clipboard, ""); // no selection, an empty text
        t.view->SetSelStart(2);
        t.view->SetSelLength(4);
        main_->CopyAction->trigger();
        EXPECT_EQ(system_.clipboard, whole.substr(2, 4));
        // The grid's copy takes the whole view and leaves its selection alone.
        main_->DBGridCopyAction->trigger();
        EXPECT_EQ(system_.clipboard, whole);
        EXPECT_EQ(t.view->SelLength(), 4);
        main_->AllSelectAction->trigger();
        main_->CopyAction->trigger();
        EXPECT_EQ(system_.clipboard, whole);
    }
}

TEST_F(OutputTest, TheWordButtonSendsTheWholeArticleToWord)
{
    FakeWord word;
    main_->BBtnWordClick();
    EXPECT_EQ(system_.clipboard, Article().Text());
    const std::vector<std::string> expected = {"Connect", "SetVisible(true)", "AddDocument", "Paste",
                                               "MoveUp(4,1000,0)", "Disconnect"};
    EXPECT_EQ(word.calls, expected);

    // Nothing to send: a book tab, an empty article.
    word.calls.clear();
    prompts_.Expect(platform::PromptKind::Message, "条文を選択して下さい"_sj);
    prompts_.Expect(platform::PromptKind::Message, "条文の選択して下さい"_sj);
    Activate(BooksTabSheet[Sbooks]);
    main_->WordAction1->trigger();
    Activate(JyobunTabSheet[Syohi]);
    Article().Clear();
    main_->WordAction2->trigger();
    EXPECT_TRUE(word.calls.empty());
}

// The export file without a main window.
class WordFallbackTest : public ::testing::Test {
protected:
    TempDir dir_;
    FakeSystem system_;
    ScriptedPrompts prompts_;
};

TEST_F(WordFallbackTest, WithoutWordTheTextGoesToTheNextFreeTempFileAsShiftJisLines)
{
    system_.clipboard = "第１条\r２　前項\n３\r\n末尾"_sj;
    WordExport();
    ASSERT_EQ(system_.opened, std::vector<std::string>{"Temp1.doc"});
    EXPECT_EQ(ReadBytes("Temp1.doc"), "第１条\r\n２　前項\r\n３\r\n末尾\r\n"_sj);

    // Numbering: 1 and 2 taken gives 3; a gap is filled first.
    WordExport();
    WordExport();
    EXPECT_EQ(system_.opened.back(), "Temp3.doc");
    std::filesystem::remove("Temp1.doc");
    std::filesystem::remove("Temp3.doc");
    EXPECT_EQ(WordFallbackFileName(), "Temp1.doc");
}

TEST_F(WordFallbackTest, WordRefusingAfterTheConnectionIsLetGoAndTheFileWritten)
{
    FakeWord word;
    word.failAt = "AddDocument";
    system_.clipboard = "本文"_sj;
    WordExport();
    const std::vector<std::string> expected = {"Connect", "SetVisible(true)", "AddDocument", "Disconnect"};
    EXPECT_EQ(word.calls, expected);
    EXPECT_EQ(system_.opened, std::vector<std::string>{"Temp1.doc"});
    EXPECT_EQ(ReadBytes("Temp1.doc"), "本文\r\n"_sj);
}

TEST_F(WordFallbackTest, AFullDiskIsReportedAndLeavesNoFileBehind)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    // Writing Temp1.doc ends on a device that is always full.
    std::filesystem::create_symlink("/dev/full", "Temp1.doc");
    system_.clipboard = std::string(100000, 'x');
    prompts_.Expect(platform::PromptKind::Message, "Microsoft Wordが起動できません"_sj);
    WordExport();
    EXPECT_TRUE(system_.opened.empty());
    EXPECT_FALSE(std::filesystem::is_symlink("Temp1.doc"));
    EXPECT_EQ(system_.clipboard.size(), 100000u); // the text is still there to paste elsewhere
}
