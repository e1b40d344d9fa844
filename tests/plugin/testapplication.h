#pragma once
// The one QApplication of a widget test program.

class QApplication;

QApplication& testApplication();
