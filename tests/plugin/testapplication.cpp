#include "testapplication.h"

#include <QApplication>

QApplication& testApplication()
{
    static int argc = 1;
    static char name[] = "kalmeno_window_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: what Qt's platform plug-in keeps stays reachable to the leak checker.
    static auto* app = new QApplication(argc, argv);
    return *app;
}
