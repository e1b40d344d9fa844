#include "modalboxwatcher.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

ModalBoxWatcher::ModalBoxWatcher()
{
    connect(&timer_, &QTimer::timeout, this, &ModalBoxWatcher::closeActiveModal);
    timer_.start(5);
}

void ModalBoxWatcher::closeActiveModal()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        boxes_.push_back({box->windowTitle(), box->text()});
        box->done(QMessageBox::Ok);
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
    }
}
