#pragma once

#include <QApplication>

namespace tl::bench {

// One application for the whole run, on the offscreen platform so that the
// benchmarks run without a display. Kept alive until the process ends.
inline void EnsureApplication()
{
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tl_bench";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    (void)app;
}

} // namespace tl::bench
