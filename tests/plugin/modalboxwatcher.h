#pragma once
// Closes every modal dialog that opens while it watches (the window's message boxes block in
// exec()), and remembers each message box's title and text. Message boxes are answered with OK
// unless told otherwise; file dialogs are cancelled unless given a file to choose.

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <vector>

class QDialog;

class ModalBoxWatcher : public QObject {
public:
    struct Box {
        QString title;
        QString text;
    };

    ModalBoxWatcher();

    const std::vector<Box>& boxes() const { return boxes_; }
    void clear() { boxes_.clear(); }
    void answerWith(QMessageBox::StandardButton answer) { answer_ = answer; }
    // The file a file dialog chooses; empty cancels it.
    void chooseFile(const QString& path) { file_ = path; }
    int fileDialogs() const { return fileDialogs_; }
    // Other modal dialogs go to `answer` instead of being rejected.
    void answerDialogs(std::function<void(QDialog&)> answer) { dialogAnswer_ = std::move(answer); }

private:
    void closeActiveModal();

    QTimer timer_;
    std::vector<Box> boxes_;
    QMessageBox::StandardButton answer_ = QMessageBox::Ok;
    QString file_;
    int fileDialogs_ = 0;
    std::function<void(QDialog&)> dialogAnswer_;
};
