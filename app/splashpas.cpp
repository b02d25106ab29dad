#include "app/splashpas.h"

#include "data/namepas.h"
#include "platform/text/sjis.h"
#include "platform/richedit/windows_fonts.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace {

QFont Gothic(int pixelHeight)
{
    QFont font(sjis::toQString("ＭＳ Ｐゴシック"_sj));
    font.setPixelSize(pixelHeight);
    return font;
}

QPixmap SplashPicture()
{
    QPixmap picture(380, 260);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 260);
    sky.setColorAt(0, QColor(18, 42, 92));
    sky.setColorAt(1, QColor(40, 110, 140));
    p.fillRect(picture.rect(), sky);
    p.setPen(QPen(QColor(255, 255, 255, 90), 2));
    p.drawRect(8, 8, 363, 243);
    p.drawLine(40, 150, 340, 150);

    p.setPen(Qt::white);
    QFont title = Gothic(46);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(0, 60, 380, 80), Qt::AlignCenter, QStringLiteral("Ronvetta"));
    p.setFont(Gothic(18));
    p.drawText(QRect(0, 160, 380, 30), Qt::AlignCenter, sjis::toQString("税法条文リーダー"_sj));
    p.setFont(Gothic(12));
    p.drawText(QRect(0, 200, 380, 24), Qt::AlignCenter, QStringLiteral("Ver1.0"));
    return picture;
}

} // namespace

TSplash::TSplash() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), picture_(SplashPicture())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(picture_.size());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    // Losing activation: any other window of ours becomes the focus window.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focus) {
        if (focus && focus != windowHandle())
            FormDeactivate();
    });
}

TSplash::~TSplash()
{
    if (Splash == this)
        Splash = nullptr;
}

void TSplash::FormDeactivate()
{
    deleteLater();
}

void TSplash::paintEvent(QPaintEvent*)
{
    QPainter(this).drawPixmap(0, 0, picture_);
}

void SplashpasInitialization()
{
    ui::installWindowsFonts();
    Splash = new TSplash;
    Splash->show();
    Splash->repaint();
    QCoreApplication::processEvents();
}
