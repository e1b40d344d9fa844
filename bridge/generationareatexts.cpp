#include "generationareatexts.h"

namespace bridge {

namespace {

QString decimal(double value)
{
    return QString::number(value, 'f', 8);
}

double number(const QStringList& texts, int index)
{
    return index < texts.size() ? texts[index].toDouble() : 0.0;
}

} // namespace

QStringList boundBoxTexts(const TBoundBox& box)
{
    return {decimal(box.lat), decimal(box.lon), decimal(box.alt),
            decimal(box.yaw), decimal(box.pitch), decimal(box.roll),
            decimal(box.sizeX), decimal(box.sizeY), decimal(box.sizeZ)};
}

void applyBoundBoxTexts(TBoundBox& box, const QStringList& texts)
{
    box.lat = number(texts, 0);
    box.lon = number(texts, 1);
    box.alt = number(texts, 2);
    box.yaw = number(texts, 3);
    box.pitch = number(texts, 4);
    box.roll = number(texts, 5);
    box.sizeX = number(texts, 6);
    box.sizeY = number(texts, 7);
    box.sizeZ = number(texts, 8);
}

QStringList settingsTexts(const TMtmSettings& settings)
{
    return {QString::number(settings.countX), QString::number(settings.countY), QString::number(settings.countZ),
            decimal(settings.psiStep), decimal(settings.tetaStep), decimal(settings.coefEllipt),
            decimal(settings.orientAngle), decimal(settings.waveLength)};
}

void applySettingsTexts(TMtmSettings& settings, QStringList& texts)
{
    while (texts.size() < 8)
        texts.append(QString());
    std::uint32_t counts[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const ulong value = texts[i].toULong(&ok, 10);
        // Counts beyond 32 bits cannot be stored; like text that is no number they become 1.
        counts[i] = ok && value > 0 && value <= 0xFFFFFFFFul ? static_cast<std::uint32_t>(value) : 0u;
        if (counts[i] == 0) {
            counts[i] = 1;
            texts[i] = QStringLiteral("1");
        }
    }
    settings.countX = counts[0];
    settings.countY = counts[1];
    settings.countZ = counts[2];
    settings.psiStep = texts[3].toDouble();
    settings.tetaStep = texts[4].toDouble();
    settings.coefEllipt = texts[5].toDouble();
    settings.orientAngle = texts[6].toDouble();
    settings.waveLength = texts[7].toDouble();
}

} // namespace bridge
