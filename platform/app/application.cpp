#include "platform/app/application.h"

#include "platform/text/sjis.h"

#include <QEvent>
#include <QStatusTipEvent>

namespace platform {
namespace {

// Qt sends a status-tip event when the mouse enters a control with a hint,
// leaves it, or highlights a menu item: the application's hint follows it.
class HintWatcher : public QObject {
public:
    std::function<void()> handler;
    std::string hint;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::StatusTip)
            return QObject::eventFilter(watched, event);
        std::string tip = sjis::fromQString(static_cast<QStatusTipEvent*>(event)->tip());
        if (tip != hint) {
            hint = std::move(tip);
            if (handler)
                handler();
        }
        return true;
    }
};

HintWatcher& Watcher()
{
    static HintWatcher* watcher = [] {
        auto* w = new HintWatcher;
        w->setParent(qApp);
        qApp->installEventFilter(w);
        return w;
    }();
    return *watcher;
}

std::string title;

} // namespace

void SetApplicationTitle(std::string_view cp932)
{
    title = cp932;
}

std::string ApplicationTitle()
{
    return title;
}

void SetHintHandler(std::function<void()> handler)
{
    Watcher().handler = std::move(handler);
}

std::string ApplicationHint()
{
    return Watcher().hint;
}

void ShowUncaught(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        ShowError(e.what());
    } catch (...) {
        ShowError("Unknown error");
    }
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event)
{
    bool result = false;
    RunGuarded([&] { result = QApplication::notify(receiver, event); });
    return result;
}

} // namespace platform
