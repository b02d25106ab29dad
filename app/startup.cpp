#include "app/startup.h"

#include "app/kidou.h"
#include "app/mainpas.h"
#include "data/hbooks_db.h"
#include "data/houjin_db.h"
#include "data/namepas.h"
#include "platform/app/application.h"
#include "platform/app/single_instance.h"
#include "platform/app/system.h"
#include "platform/text/sjis.h"

std::string ApplicationTitleText(bool developerBuild)
{
    return developerBuild ? "Ronvetta β"_sj : "Ronvetta";
}

bool IsDeveloperTitle(std::string_view title)
{
    return sjis::contains(title, "β"_sj);
}

bool SingleInstanceTest(std::string_view title)
{
    return !IsDeveloperTitle(title) && platform::KnockRunningInstance(title);
}

void QsqFilesDelete()
{
    for (int n = 1; n <= 99; ++n) {
        const std::string QsqFileName = "_QSQ" + std::to_string(n) + ".DB";
        platform::Sys().DeleteFile(QsqFileName);
    }
}

void PresenceFlagsSet()
{
    JyobunTabHidden.fill(1);
    BooksTabHidden.fill(1);
    JyobunTabHidden[Syohi] = 0;
    BooksTabHidden[Sbooks] = 0;
    JyobunTabHidden[Gen] = 0;
}

void TableFileNamesSet()
{
    static const char jyobunLetters[JyobunTabCount] = {'A', 'E', 'G', 'H', 'I', 'K'};
    static const char booksLetters[BooksTabCount] = {'B', 'F', 'J'};
    for (int i = 0; i < JyobunTabCount; ++i) {
        if (JyobunTabHidden[i] != 0)
            continue;
        const std::string x(1, jyobunLetters[i]);
        JyobunMainTableName[i] = x + "1.db";
        JyobunSubTableName[i] = x + "2.db";
        JyobunTable3Name[i] = x + "3.db";
        JyobunLinkTableName[i] = x + "4.db";
        JyobunTreeTableName[i] = x + "5.db";
        JyobunFile6Name[i] = x + "6.dl_";
    }
    for (int b = 0; b < BooksTabCount; ++b) {
        if (BooksTabHidden[b] != 0)
            continue;
        const std::string y(1, booksLetters[b]);
        BooksMainTableName[b] = y + "1.db";
        BooksSubTableName[b] = y + "1.db";
        BooksNameTableName[b] = y + "3.db";
        BooksJumpTableName[b] = y + "4.db";
        BooksUrlTableName[b] = y + "5.db";
    }
}

void StartUpSteps(std::string_view title, void (*presenceFlagsSet)())
{
    QsqFilesDelete();
    presenceFlagsSet();
    KidouStart();
    TableFileNamesSet();
    platform::SetApplicationTitle(title);
}

ReaderSession::ReaderSession(std::string_view title, void (*presenceFlagsSet)(),
                             const std::function<void(TMain&)>& mainFormCreated)
{
    StartUpSteps(title, presenceFlagsSet);
    // The main window is the first form; the data modules wire themselves
    // into its controls, open the tables and show each tab's first article
    // and entry.
    main_ = std::make_unique<TMain>();
    Main = main_.get();
    if (mainFormCreated)
        mainFormCreated(*main_);
    houjin_ = std::make_unique<THoujin>();
    hbooks_ = std::make_unique<THbooks>();
}

ReaderSession::~ReaderSession()
{
    hbooks_.reset();
    houjin_.reset();
    main_.reset();
    Main = nullptr;
}

TMain& ReaderSession::MainForm() const
{
    return *main_;
}

THoujin& ReaderSession::HoujinModule() const
{
    return *houjin_;
}

THbooks& ReaderSession::HbooksModule() const
{
    return *hbooks_;
}
