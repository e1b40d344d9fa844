#pragma once
// Follows the host camera from the window's worker thread; polled by the window's timer.

#include <QObject>

class CQuelmarData : public QObject {
    Q_OBJECT

public:
    explicit CQuelmarData(QObject* parent = nullptr);

signals:
    void Signal_AnglesChanged();

public slots:
    // One poll of the camera; reports a change of the observation angles.
    void CheckAngles();
};
