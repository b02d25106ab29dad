#include "platform/app/system.h"

#include "platform/app/seam.h"
#include "platform/app/text_file.h"
#include "platform/text/sjis.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>
#include <QWidget>

#include <chrono>

namespace platform {

bool System::OpenDocument(std::string_view cp932NameOrUrl)
{
    const QString target = sjis::toQString(cp932NameOrUrl);
    const QUrl url(target);
    if (url.isValid() && url.scheme().size() > 1)
        return QDesktopServices::openUrl(url);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::current().absoluteFilePath(target)));
}

void System::SetClipboardText(std::string_view cp932)
{
    QGuiApplication::clipboard()->setText(sjis::toQString(cp932));
}

std::string System::ClipboardText()
{
    return sjis::fromQString(QGuiApplication::clipboard()->text());
}

int System::ColorTableSize(const QWidget& window)
{
    const QScreen* screen = window.screen();
    const int depth = screen ? screen->depth() : 32;
    return depth <= 8 ? 1 << depth : -1;
}

std::int64_t System::TickCount()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool System::DeleteFile(std::string_view cp932Name)
{
    return QFile::remove(FilePath(cp932Name));
}

namespace {

System realSystem;
Seam<System> systemSeam(realSystem);

} // namespace

System& Sys()
{
    return systemSeam.Current();
}

System* SetSystem(System* replacement)
{
    return systemSeam.Install(replacement);
}

} // namespace platform
