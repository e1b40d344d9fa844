#include "cquelmardata.h"

CQuelmarData::CQuelmarData(QObject* parent)
    : QObject(parent)
{
}

void CQuelmarData::CheckAngles()
{
    // Without an attached engine there is no camera to follow.
}
