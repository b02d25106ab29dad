#include "platform/app/application.h"
#include "platform/app/printing.h"
#include "platform/app/single_instance.h"
#include "platform/app/text_file.h"
#include "platform/text/sjis.h"
#include "platform/ui/hint.h"
#include "support/scoped_env.h"
#include "support/scripted_prompts.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <memory>
#include <stdexcept>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

class Throwing : public QWidget {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw std::runtime_error("Cannot open file E4.db");
        return QWidget::event(e);
    }
};

bool WaitFor(const std::function<bool()>& done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

} // namespace

TEST(DefaultErrorBox, AnUncaughtErrorEndsTheActionShowsItsMessageAndTheProgramGoesOn)
{
    ScriptedPrompts prompts;
    prompts.Expect(platform::PromptKind::Error, "Cannot open file E4.db");
    prompts.Expect(platform::PromptKind::Error, "Cannot open file E4.db");
    Throwing widget;
    QEvent failing(QEvent::User);
    bool after = false;
    EXPECT_FALSE(platform::RunGuarded([&] {
        widget.event(&failing);
        after = true;
    }));
    EXPECT_FALSE(after);
    // The application object does the same around event delivery, which
    // keeps working.
    QApplication::sendEvent(&widget, &failing);
    widget.resize(50, 50);
    QEvent fine(QEvent::Polish);
    EXPECT_TRUE(platform::RunGuarded([&] { QApplication::sendEvent(&widget, &fine); }));
    EXPECT_EQ(prompts.Shown().size(), 2u);
}

TEST(ModalWindow, StandsOverTheActiveWindowAndAboveAShownStayOnTopWindow)
{
    QWidget main;
    QWidget memo(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
    main.show();
    const std::function<void()> modals[] = {
        [] { platform::ShowMessage("x"); },
        [&] { platform::Printer().PrinterSetup(&memo); }, // owned by a window not active
    };
    for (const bool memoShown : {false, true}) {
        for (const auto& run : modals) {
            memo.setVisible(memoShown);
            main.activateWindow();
            ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == &main; }));
            QWidget* modal = nullptr;
            QTimer::singleShot(0, [&] {
                modal = QApplication::activeModalWidget();
                EXPECT_EQ(modal->windowFlags().testFlag(Qt::WindowStaysOnTopHint), memoShown);
                EXPECT_EQ(modal->windowHandle()->transientParent(), main.windowHandle());
                modal->close();
            });
            run();
            EXPECT_NE(modal, nullptr);
        }
    }
}

TEST(ApplicationHint, FollowsTheControlUnderTheMouse)
{
    QWidget window;
    QWidget* withHint = new QWidget(&window);
    QWidget* inner = new QWidget(withHint); // no hint of its own
    ui::SetHint(*withHint, "検索や表示の範囲の設定"_sj);
    int calls = 0;
    platform::SetHintHandler([&] { ++calls; });
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(withHint, &enter);
    EXPECT_EQ(platform::ApplicationHint(), "検索や表示の範囲の設定"_sj);
    QApplication::sendEvent(inner, &enter);
    EXPECT_EQ(platform::ApplicationHint(), "検索や表示の範囲の設定"_sj);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(withHint, &leave);
    EXPECT_EQ(platform::ApplicationHint(), "");
    EXPECT_EQ(calls, 2);
    platform::SetHintHandler(nullptr);
}

TEST(SingleInstance, AKnockRestoresAndRaisesTheRunningWindow)
{
    const std::string title = "RonvettaTest" + std::to_string(getpid());
    EXPECT_FALSE(platform::KnockRunningInstance(title));

    QWidget window;
    platform::InstanceServer server(title, &window);
    ASSERT_TRUE(server.Listening());
    // Start-up waits behind a box, the window not shown yet: the box comes up.
    QDialog box;
    box.setModal(true);
    box.showMinimized();
    EXPECT_TRUE(platform::KnockRunningInstance(title));
    EXPECT_TRUE(WaitFor([&] { return !box.isMinimized(); }));
    EXPECT_FALSE(window.isVisible());
    box.hide();

    window.showMinimized();
    ASSERT_TRUE(window.isMinimized());
    if (getuid() == 0) { // another user who reaches the socket all the same is not answered
        const QByteArray folder = QFile::encodeName(QDir::tempPath()) + '/' + title.c_str() + ".0.offscreen";
        ASSERT_EQ(chmod(folder, 0711) | chmod(folder + "/socket", 0777), 0);
        QLocalSocket other;
        EXPECT_TRUE(seteuid(65534) == 0
                    && (other.connectToServer(QFile::decodeName(folder + "/socket")),
                        other.waitForConnected()));
        ASSERT_EQ(seteuid(0), 0);
        QTest::qWait(300);
        EXPECT_TRUE(window.isMinimized()); // the knock below closes the folder again
    }
    EXPECT_TRUE(platform::KnockRunningInstance(title));
    EXPECT_TRUE(WaitFor([&] { return !window.isMinimized(); }));
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(platform::KnockRunningInstance(title + "x")) << "another title is another program";
}

TEST(SingleInstance, ASocketLeftByACrashedRunIsTakenOver)
{
    QTemporaryDir dir;
    // The socket lives in TMPDIR.
    ScopedEnv tmp("TMPDIR", dir.path().toUtf8());
    const std::string title = "RonvettaStale";
    const QString folder = dir.filePath(QStringLiteral("RonvettaStale.%1.offscreen").arg(getuid()));
    ASSERT_TRUE(QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QFile stale(folder + QStringLiteral("/socket"));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();

    EXPECT_FALSE(platform::KnockRunningInstance(title));
    ScriptedPrompts noMessage;
    QWidget window;
    auto server = std::make_unique<platform::InstanceServer>(title, &window);
    EXPECT_TRUE(server->Listening());
    EXPECT_TRUE(platform::KnockRunningInstance(title));
    { // a start in the same moment finds the socket live: it runs beside, and the socket stays
        platform::InstanceServer beside(title, &window);
        EXPECT_FALSE(beside.Listening());
    }
    EXPECT_TRUE(platform::KnockRunningInstance(title));
    // The socket swept away, a later start listens; the earlier one, ending, leaves that socket be.
    ASSERT_TRUE(QFile::remove(stale.fileName()));
    platform::InstanceServer later(title, &window);
    server.reset();
    EXPECT_TRUE(platform::KnockRunningInstance(title));
}

TEST(TextFile, LinesAsTheStringListReadsAndWritesThem)
{
    QTemporaryDir dir;
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    {
        QFile f(QStringLiteral("lines.txt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("one\r\ntwo\nthree\r\rfive\r\n");
    }
    EXPECT_EQ(platform::LoadLines("lines.txt"),
              (std::vector<std::string>{"one", "two", "three", "", "five"}));

    platform::SaveLines("窓.dl_"_sj, {"1", "x"});
    QFile written(QString::fromUtf8("窓.dl_"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << "file names are UTF-8 on disk";
    EXPECT_EQ(written.readAll(), QByteArray("1\r\nx\r\n"));
    EXPECT_TRUE(platform::FileExists("窓.dl_"_sj));

    try {
        platform::LoadLines("absent.txt");
        ADD_FAILURE() << "no error";
    } catch (const platform::FileError& e) {
        EXPECT_NE(std::string(e.what()).find("absent.txt"), std::string::npos);
    }
    QDir::setCurrent(old);
}
