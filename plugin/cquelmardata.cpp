#include "cquelmardata.h"

#include <camerapoll.h>

CQuelmarData::CQuelmarData(QObject* parent)
    : QObject(parent)
{
}

void CQuelmarData::CheckAngles()
{
    // Without an attached engine there is no camera to follow: the poll then does nothing.
    if (bridge::CheckAngles())
        emit Signal_AnglesChanged();
}
