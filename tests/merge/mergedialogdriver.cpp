#include "mergedialogdriver.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

MergeDialogDriver::MergeDialogDriver()
{
    watcher_.answerDialogs([this](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>("modelList");
        if (dialog.objectName() != "selectModelDialog" || !list || choice_ < 0) {
            dialog.reject();
            return;
        }
        list->setCurrentRow(choice_);
        dialog.accept();
    });
}

void MergeDialogDriver::chooseBase(QDialog& dialog, int entry)
{
    dialog.findChild<QComboBox*>("baseModelCB")->setCurrentIndex(entry);
}

void MergeDialogDriver::addModel(QDialog& dialog, int row)
{
    choice_ = row;
    dialog.findChild<QPushButton*>("addModelPB")->click();
}

QLineEdit* MergeDialogDriver::offsetField(QDialog& dialog, int row, int column)
{
    return qobject_cast<QLineEdit*>(dialog.findChild<QTableWidget*>("anchorTableWidget")->cellWidget(row, column));
}

void MergeDialogDriver::accept(QDialog& dialog)
{
    dialog.findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok)->click();
}
