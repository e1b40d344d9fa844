#pragma once
// The one QApplication of a widget test program, made on first use.

#include <QApplication>

inline QApplication& testApplication()
{
    static int argc = 1;
    static char name[] = "view3d_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at exit Qt's own globals may already be gone.
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}
