#pragma once
// One anchor point of a merge: where it lies relative to the base model's origin, and the models
// placed there.

#include <QList>
#include <QMetaType>
#include <QPair>
#include <QString>

struct AnchorPointInfo {
    double x = 0.0; // metres from the base model's origin
    double y = 0.0;
    double z = 0.0;
    QList<QPair<QString, QString>> models; // (path of the .mtm file, display name)
};

Q_DECLARE_METATYPE(AnchorPointInfo)
