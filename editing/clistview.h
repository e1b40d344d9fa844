#pragma once
// The list of models' view: a change of the current row becomes SignalCurrentIdChanged.

#include <QListView>

class CListView : public QListView {
    Q_OBJECT
public:
    explicit CListView(QWidget* parent = nullptr);

signals:
    void SignalCurrentIdChanged(int id, int prevId);

protected slots:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
};
