#include "modelsettings.h"

#include "bufferedoutput.h"
#include "regularfile.h"
#include "settingsfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace mtm {

namespace {

// Settings files are a few hundred bytes.
constexpr std::uint64_t kMaxSettingsBytes = 1 << 20;


std::optional<std::uint32_t> rowNumber(const QJsonValue& value)
{
    const double number = value.toDouble(-1.0);
    if (!value.isDouble() || number < 0.0 || number > 4294967295.0 || std::floor(number) != number)
        return std::nullopt;
    return std::uint32_t(number);
}

} // namespace

kalmeno::Result<ModelSettings> readModelSettings(const std::string& mtmPath)
{
    using R = kalmeno::Result<ModelSettings>;
    // Only a regular file of settings size: a FIFO under its name must not block the command.
    const std::string name = bridge::settingsFileName(mtmPath);
    const auto text = platform::readRegularFile(name, kMaxSettingsBytes);
    if (!text)
        return R::failure("cannot read the settings file " + name + ": " + text.error());
    const QByteArray json(text->data(), int(text->size()));
    ModelSettings settings;
    if (!bridge::readSettingsDocument(json, settings.area))
        return R::failure(name + " is not a settings file");
    const QJsonValue rows = QJsonDocument::fromJson(json).object().value(QStringLiteral("rows"));
    if (!rows.isUndefined()) {
        const QJsonObject slab = rows.toArray().first().toObject();
        const auto first = rowNumber(slab.value(QStringLiteral("first")));
        const auto last = rowNumber(slab.value(QStringLiteral("last")));
        if (!first || !last || *last < *first)
            return R::failure(name + ": \"rows\" is not a range of rows");
        settings.rows = RowSlab{*first, *last};
    }
    return R::success(settings);
}

kalmeno::Status writeModelSettings(const std::string& mtmPath, const ModelSettings& settings)
{
    QJsonObject document = QJsonDocument::fromJson(bridge::settingsDocument(settings.area)).object();
    if (settings.rows)
        document.insert(QStringLiteral("rows"),
                        QJsonArray{QJsonObject{{QStringLiteral("first"), qint64(settings.rows->first)},
                                               {QStringLiteral("last"), qint64(settings.rows->last)}}});
    const QByteArray text = QJsonDocument(document).toJson(QJsonDocument::Indented);
    return writeWholeFile(bridge::settingsFileName(mtmPath),
                          std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
}

} // namespace mtm
