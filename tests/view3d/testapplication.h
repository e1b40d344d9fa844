#pragma once
// The one QApplication of a widget test program, made on first use.

#include <QApplication>

inline QApplication& testApplication()
{
    static int argc = 1;
    static char name[] = "view3d_test";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    return application;
}
