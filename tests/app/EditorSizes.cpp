// Opens the hero and the virus editor on the running display and reports
// their outer sizes once the window manager has framed them, and the hero
// editor's outer size after an attempt to shrink it below its minimum. Exits
// 0 when every size is the editor's own, 1 when one differs, 3 when no frame
// ever appeared (no window manager).

#include "storage/DataFiles.h"
#include "ui/editors/HeroesDlg.h"
#include "ui/editors/VirusDlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QWindow>

#include <cstdio>
#include <memory>

namespace {

// The outer size as the platform has it now.
QSize Outer(const QWidget& window)
{
    return window.windowHandle()->frameGeometry().size();
}

bool Framed(const QWidget& window)
{
    return Outer(window) != window.geometry().size();
}

// Lets the window manager and the window settle: until the window has a
// frame, and then a little longer for the resize that follows it.
bool Settle(const QWidget& window)
{
    QElapsedTimer clock;
    clock.start();
    qint64 framedAt = -1;
    while (clock.elapsed() < 10000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
        if (framedAt < 0 && Framed(window))
            framedAt = clock.elapsed();
        if (qEnvironmentVariableIsSet("SIZES_DEBUG"))
            std::printf("%lld %dx%d %dx%d\n", clock.elapsed(), Outer(window).width(),
                        Outer(window).height(), window.width(), window.height());
        if (framedAt >= 0 && clock.elapsed() - framedAt > 500)
            return true;
    }
    return false;
}

bool Report(const char* what, const QWidget& window, QSize expected)
{
    const QSize outer = Outer(window);
    const QSize client = window.geometry().size();
    const bool good = outer == expected;
    std::printf("%s: outer %dx%d, client %dx%d, expected outer %dx%d: %s\n", what, outer.width(),
                outer.height(), client.width(), client.height(), expected.width(),
                expected.height(), good ? "ok" : "WRONG");
    return good;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    auto heroes = std::make_unique<HeroTable>();
    auto viruses = std::make_unique<VirusTable>();
    FillDefaultHeroTable(*heroes);
    FillDefaultVirusTable(*viruses);
    bool good = true;
    {
        CHeroesDlg editor(*heroes);
        editor.show();
        if (!Settle(editor)) {
            std::printf("hero editor: no frame appeared\n");
            return 3;
        }
        // As wide as a name of the most characters needs, at least the usual.
        good = editor.openingSize().width() >= CHeroesDlg::kOpeningSize.width() &&
               editor.openingSize().height() == CHeroesDlg::kOpeningSize.height() && good;
        good = Report("hero editor", editor, editor.openingSize()) && good;
        editor.resize(50, 50);
        Settle(editor);
        good = Report("hero editor shrunk", editor, CHeroesDlg::kMinimumSize) && good;
    }
    {
        CVirusDlg editor(*viruses);
        editor.show();
        if (!Settle(editor)) {
            std::printf("virus editor: no frame appeared\n");
            return 3;
        }
        good = Report("virus editor", editor, CVirusDlg::kOpeningSize) && good;
    }
    return good ? 0 : 1;
}
