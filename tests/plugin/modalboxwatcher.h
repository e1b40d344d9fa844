#pragma once
// Closes every modal dialog that opens while it watches (the window's message boxes block in
// exec()), and remembers each message box's title and text.

#include <QObject>
#include <QString>
#include <QTimer>

#include <vector>

class ModalBoxWatcher : public QObject {
public:
    struct Box {
        QString title;
        QString text;
    };

    ModalBoxWatcher();

    const std::vector<Box>& boxes() const { return boxes_; }
    void clear() { boxes_.clear(); }

private:
    void closeActiveModal();

    QTimer timer_;
    std::vector<Box> boxes_;
};
