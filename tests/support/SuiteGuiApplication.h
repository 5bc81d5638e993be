#pragma once

#include <QGuiApplication>

// Text needs a GUI application (on the offscreen platform in the tests). A
// suite that draws calls start() from its SetUpTestSuite and stop() from its
// TearDownTestSuite: an application it made goes with it, one made elsewhere
// stays.
struct SuiteGuiApplication {
    static void start()
    {
        if (QGuiApplication::instance())
            return;
        static int argc = 1;
        static char name[] = "qorva_tests";
        static char* argv[] = {name, nullptr};
        made = new QGuiApplication(argc, argv);
    }
    static void stop()
    {
        delete made;
        made = nullptr;
    }
    static inline QGuiApplication* made = nullptr;
};
