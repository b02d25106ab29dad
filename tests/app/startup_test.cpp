#include "app_fixture.h"

#include "platform/app/single_instance.h"
#include "platform/text/sjis.h"
#include "platform/ui/status_bar.h"
#include "support/prompt_log.h"
#include "support/scoped_env.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QWidget>

#include <sys/stat.h>
#include <unistd.h>

using StartUp = InTempDir;

TEST_F(StartUp, DeletesTheAnswerTablesOneToNinetyNineOnly)
{
    for (int n = 0; n <= 100; ++n)
        WriteFile(QStringLiteral("_QSQ%1.DB").arg(n), "x");
    WriteFile(QStringLiteral("_QSQ05.DB"), "x");
    QsqFilesDelete();
    for (int n = 1; n <= 99; ++n)
        EXPECT_FALSE(QFile::exists(QStringLiteral("_QSQ%1.DB").arg(n))) << n;
    EXPECT_TRUE(QFile::exists(QStringLiteral("_QSQ0.DB")));
    EXPECT_TRUE(QFile::exists(QStringLiteral("_QSQ100.DB")));
    EXPECT_TRUE(QFile::exists(QStringLiteral("_QSQ05.DB")));
}

TEST_F(StartUp, OnlyThePresentTabsGetFileNames)
{
    PresenceFlagsSet();
    TableFileNamesSet();
    EXPECT_EQ(JyobunTabHidden, (JyobunArray<int>{1, 0, 0, 1, 1, 1}));
    EXPECT_EQ(BooksTabHidden, (BooksArray<int>{1, 0, 1}));
    EXPECT_EQ(JyobunMainTableName, (JyobunArray<std::string>{"", "E1.db", "G1.db", "", "", ""}));
    EXPECT_EQ(JyobunSubTableName[1], "E2.db");
    EXPECT_EQ(JyobunTable3Name[2], "G3.db");
    EXPECT_EQ(JyobunLinkTableName[1], "E4.db");
    EXPECT_EQ(JyobunTreeTableName[2], "G5.db");
    EXPECT_EQ(JyobunFile6Name, (JyobunArray<std::string>{"", "E6.dl_", "G6.dl_", "", "", ""}));
    EXPECT_EQ(BooksMainTableName, (BooksArray<std::string>{"", "F1.db", ""}));
    EXPECT_EQ(BooksSubTableName[1], "F1.db");
    EXPECT_EQ(BooksNameTableName[1], "F3.db");
    EXPECT_EQ(BooksJumpTableName[1], "F4.db");
    EXPECT_EQ(BooksUrlTableName[1], "F5.db");
    EXPECT_EQ(BooksUrlTableName[0], "");
}

TEST_F(StartUp, TheDeveloperTitleNeverLooksForARunningInstance)
{
    EXPECT_EQ(ApplicationTitleText(false), "Ronvetta");
    const std::string developer = ApplicationTitleText(true);
    EXPECT_TRUE(IsDeveloperTitle(developer));
    EXPECT_FALSE(IsDeveloperTitle("Ronvetta"));
    // Judged by characters: the bytes of "β" (83 C0) straddling two
    // characters (82 83, then the half-width C0) do not count.
    EXPECT_FALSE(IsDeveloperTitle("Ronvetta \x82\x83\xC0"));

    // Each title with a running instance answering it.
    const std::string released = "RonvettaStartUp" + std::to_string(getpid());
    QWidget running;
    platform::InstanceServer releasedServer(released, &running);
    platform::InstanceServer developerServer(developer, &running);
    EXPECT_TRUE(SingleInstanceTest(released));
    EXPECT_FALSE(SingleInstanceTest(developer));
}

// Nobody answered the knock, so what sits where the socket's folder goes is
// left over: a file of the user's goes and a folder of the user's is closed to
// others, whatever the umask; a symlink or another user's file or folder stays
// and the user is told that the check is off.
TEST_F(StartUp, WhatSitsAtTheSocketPathGoesOrTheUserHearsWhy)
{
    ScopedEnv tmp("TMPDIR", QDir::currentPath().toLocal8Bit());
    const std::string title = "RonvettaPath";
    const QString path = QDir::current().absoluteFilePath(QStringLiteral("RonvettaPath.%1.offscreen").arg(getuid()));
    QWidget running;
    PromptLog prompts;
    for (const bool folder : {false, true}) {
        if (folder)
            ASSERT_TRUE(QDir().mkdir(path)) << "the folder went with the socket";
        else
            WriteFile(path, "x");
        const mode_t umaskBefore = umask(0);
        platform::InstanceServer server(title, &running);
        umask(umaskBefore);
        EXPECT_TRUE(server.Listening()) << folder;
        EXPECT_TRUE(SingleInstanceTest(title)) << folder;
        EXPECT_FALSE(QFileInfo(path).permissions() & QFile::Permissions(0x0077)) << "group, others: " << folder;
    }
    EXPECT_TRUE(prompts.shown.empty());

    platform::InstanceServer other("RonvettaOther", &running);
    ASSERT_TRUE(QFile::link(QStringLiteral("RonvettaOther.%1.offscreen").arg(getuid()), path));
    QLocalServer others;
    // A symlink to where a reader listens; another user's file, folder; in the user's folder at the
    // socket's path, a symlink to where a reader listens, the user's socket with another user listening.
    for (const unsigned row : {0, 1, 2, 3, 4}) {
        const QString inTheWay = row < 3 ? path : path + QStringLiteral("/socket");
        if (row > 0) {
            if (getuid() != 0)
                break;
            ASSERT_TRUE(QFile::remove(row == 4 ? inTheWay : path) || QDir().rmdir(path));
            row == 1 ? WriteFile(path, "x")
                     : void(QDir().mkdir(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
            ASSERT_EQ(row < 3 ? chown(QFile::encodeName(path).constData(), 65534, 65534) : 0, 0);
        }
        ASSERT_TRUE(row != 3
                    || QFile::link(QStringLiteral("../RonvettaOther.%1.offscreen/socket").arg(getuid()), inTheWay));
        if (row == 4) {
            ASSERT_EQ(chmod(".", 0711) | chmod(QFile::encodeName(path).constData(), 0777), 0);
            const bool listening = seteuid(65534) == 0 && others.listen(inTheWay);
            ASSERT_TRUE(seteuid(0) == 0 && listening);
            ASSERT_EQ(chown(QFile::encodeName(inTheWay).constData(), 0, 0), 0);
        }
        {
            platform::InstanceServer server(title, &running);
            EXPECT_FALSE(server.Listening()) << row;
            EXPECT_FALSE(SingleInstanceTest(title)) << row;
        }
        EXPECT_TRUE(row % 3 == 0 ? QFileInfo(inTheWay).isSymLink()
                                 : QFileInfo(inTheWay).ownerId() == (row == 4 ? 0u : 65534u))
            << row;
        ASSERT_EQ(prompts.shown.size(), row + 1);
        EXPECT_EQ(prompts.shown.back().first, platform::PromptKind::Message);
        EXPECT_EQ(prompts.shown.back().second,
                  sjis::fromQString(
                      QStringLiteral("The single-instance check is off: %1 is in the way and cannot be "
                                     "removed, so another start of RonvettaPath will run beside this one.")
                          .arg(inTheWay)));
    }
}

TEST(LapTimeText, SecondsInTheShortestDecimalForm)
{
    const std::pair<std::int64_t, const char*> cases[] = {
        {12340, "1.234"}, {20000, "2"}, {0, "0"}, {160, "0.016"}, {15000, "1.5"}, {10001, "1.0001"},
        {1230000, "123"},
    };
    for (const auto& [lap, text] : cases)
        EXPECT_EQ(LapTimeText(lap), text) << lap;
}

using KidouTest = MainWindowTest;

TEST_F(KidouTest, StartUpTimeGoesToTheSecondStatusPanel)
{
    CreateMain();
    main_->StatusBar1->Panels(0).SetText("before");
    system_.tickCount = 1000;
    KidouStart();
    EXPECT_TRUE(SqlText.empty());
    system_.tickCount = 2234;
    KidouEnd();
    EXPECT_EQ(main_->StatusBar1->Panels(1).Text(), "起動時間： 1.234 秒"_sj);
    EXPECT_EQ(main_->StatusBar1->Panels(0).Text(), "before");
    EXPECT_EQ(LapTime, 12340);
    KidouStart();
    system_.tickCount += 2000;
    KidouEnd();
    EXPECT_EQ(main_->StatusBar1->Panels(1).Text(), "起動時間： 2 秒"_sj);
}
