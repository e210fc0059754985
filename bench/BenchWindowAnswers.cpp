// Whether the window answers while the drawing tab's picture of a
// 390,000-element drawing is built, and how long a zoom or pan step takes:
// the longest pause of the window's event loop (a timer asks every 5 ms)
// from showing the tab until the picture is there; then five wheel steps
// and five drag steps, each painted at once (the time of each frame), and
// the full picture drawn again once the view rests.
//
// Runs on Qt's offscreen platform: ./build/release/bin/bench_window_answers
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cstdio>
#include <string>

#include "ToolArguments.h"
#include "WindowBenchDrawing.h"
#include "gui/DrawingView.h"
#include "gui/MainWindow.h"
#include "gui/QtDialogs.h"

using namespace orvik;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ToolArguments(argc, argv, "bench_window_answers", 0, 0);
    const std::string path = WriteWindowBenchDrawing("/tmp/orvik-bench-window.jwc");
    QtDialogs dialogs;
    Drawing drawing;
    ConversionSettings settings;
    WindowState state;
    MainWindow window(dialogs, drawing, settings, state);
    dialogs.SetWindow(&window);
    window.resize(1000, 700);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    window.ReadFiles({path});
    std::remove(path.c_str());

    // The longest pause of the event loop while the picture is built.
    QElapsedTimer clock;
    qint64 last = 0, longest = 0;
    QTimer ticks;
    ticks.setInterval(5);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    clock.start();
    ticks.start();
    auto* view = window.findChild<DrawingView*>("drawingView");
    window.findChild<QTabWidget*>("viewTabs")->setCurrentIndex(1);
    const qint64 shownAfter = clock.elapsed();
    longest = std::max(longest, shownAfter);
    // Built, shown, and drawn.
    if (!QTest::qWaitFor([&] { return window.DrawingSettled() && view->ShowsPicture() && view->Drawn(); }, 60000)) {
        std::fprintf(stderr, "bench_window_answers: the picture was not built within a minute\n");
        return 1;
    }
    const qint64 built = clock.elapsed();
    ticks.stop();
    std::printf("picture of 390,000 elements built and drawn in %lld ms; the window's longest pause %lld ms\n",
                static_cast<long long>(built), static_cast<long long>(longest));
    double slowest = 0;  // ms
    const QPointF centre(view->width() / 2.0, view->height() / 2.0);
    for (int i = 0; i < 5; ++i) {
        QWheelEvent wheel(centre, view->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        clock.restart();
        QApplication::sendEvent(view, &wheel);
        view->grab();
        slowest = std::max(slowest, static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    QMouseEvent press(QEvent::MouseButtonPress, centre, view->mapToGlobal(centre), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(view, &press);
    for (int i = 1; i <= 5; ++i) {
        const QPointF to = centre + QPointF(20 * i, 10 * i);
        QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        clock.restart();
        QApplication::sendEvent(view, &move);
        view->grab();
        slowest = std::max(slowest, static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    std::printf("zoom and pan: slowest frame %.1f ms\n", slowest);
    // At rest, the picture of the new view is drawn on a worker: how long, and the longest pause meanwhile.
    last = 0;
    longest = 0;
    clock.restart();
    ticks.start();
    if (!QTest::qWaitFor([&] { return view->Drawn(); }, 60000)) return 1;
    ticks.stop();
    std::printf("the view at rest drawn again in %lld ms (after the %d ms rest); the window's longest pause %lld ms\n",
                static_cast<long long>(clock.elapsed()), 150, static_cast<long long>(longest));
    return 0;
}
