#pragma once
// Drives the merge dialog as a user would: picks models in its small selection dialog, types
// offsets, and answers (and remembers) the message boxes it opens.

#include "modalboxwatcher.h"

class QDialog;
class QLineEdit;

class MergeDialogDriver {
public:
    MergeDialogDriver();

    // Chooses the base by its entry in the list (0 is the placeholder).
    static void chooseBase(QDialog& dialog, int entry);
    // Presses "Add MTM" and picks entry `row` of the selection dialog; -1 cancels it.
    void addModel(QDialog& dialog, int row);
    // The offset field of a table row: column 1, 2 or 3 for x, y or z.
    static QLineEdit* offsetField(QDialog& dialog, int row, int column);
    // Presses OK.
    static void accept(QDialog& dialog);

    const std::vector<ModalBoxWatcher::Box>& boxes() const { return watcher_.boxes(); }

private:
    ModalBoxWatcher watcher_;
    int choice_ = -1;
};
