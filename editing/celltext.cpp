#include "celltext.h"

#include <QStringList>

std::optional<double> numberFromCellText(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<TRcsValue> amplitudeFromCellText(const QString& text)
{
    const QStringList parts = text.split(QStringLiteral("; "), Qt::KeepEmptyParts);
    if (parts.size() > 2)
        return std::nullopt;
    double values[2] = {0.0, 0.0};
    for (int i = 0; i < parts.size(); ++i) {
        // The editor leaves a field empty for 0.
        if (parts[i].isEmpty())
            continue;
        const auto value = numberFromCellText(parts[i]);
        if (!value)
            return std::nullopt;
        values[i] = *value;
    }
    return TRcsValue(values[0], values[1]);
}
