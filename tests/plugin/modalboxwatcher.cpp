#include "modalboxwatcher.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>

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
        box->done(answer_);
    } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
        ++fileDialogs_;
        if (file_.isEmpty()) {
            files->reject();
        } else {
            files->selectFile(file_);
            // A question inside this slot would never be answered: the timer waits for the slot.
            files->setOption(QFileDialog::DontConfirmOverwrite);
            static_cast<QDialog*>(files)->accept(); // QFileDialog hides it; it checks the name first
        }
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        if (dialogAnswer_)
            dialogAnswer_(*dialog);
        else
            dialog->reject();
    }
}
