#include "gui/StoredSettings.h"

#include <QStringList>

#include "app/OutputFormatChoices.h"
#include "gui/QtDialogs.h"

namespace orvik {

void StoreControls(QSettings& store, const ControlValues& c) {
    store.beginGroup("conversion");
    store.setValue("roundCoordinates", c.roundCoordinates);
    store.setValue("pointMode", static_cast<int>(c.pointMode));
    store.setValue("pointRadius", FromCp932(c.pointRadius));
    store.setValue("jwLineTypes", c.jwLineTypes);
    store.setValue("curvesAsPolylines", c.curvesAsPolylines);
    store.setValue("shrinkTexts", c.shrinkTexts);
    store.setValue("textShrink", FromCp932(c.textShrink));
    store.setValue("narrowHalfWidthTexts", c.narrowHalfWidthTexts);
    store.setValue("halfWidthAspect", FromCp932(c.halfWidthAspect));
    store.setValue("plainLayerNames", c.plainLayerNames);
    store.setValue("auxiliaryOnDefpoints", c.auxiliaryOnDefpoints);
    QStringList pens;
    for (int color : c.penColors) pens << QString::number(color);
    store.setValue("penColors", pens.join(','));
    for (const OutputFormatChoice& choice : kOutputFormatChoices)
        if (choice.format == c.outputFormat)
            store.setValue("outputFormat", QString::fromLatin1(choice.name.data(), static_cast<qsizetype>(choice.name.size())));
    store.endGroup();
}

std::optional<ControlValues> StoredControls(const QSettings& store) {
    if (!store.contains("conversion/pointMode")) return std::nullopt;
    const auto get = [&](const char* key) { return store.value(QStringLiteral("conversion/") + key); };
    ControlValues c;
    c.roundCoordinates = get("roundCoordinates").toBool();
    const int mode = get("pointMode").toInt();
    c.pointMode = mode >= 1 && mode <= 3 ? static_cast<PointMode>(mode) : PointMode::FilledCircle;
    c.pointRadius = ToCp932(get("pointRadius").toString());
    c.jwLineTypes = get("jwLineTypes").toBool();
    c.curvesAsPolylines = get("curvesAsPolylines").toBool();
    c.shrinkTexts = get("shrinkTexts").toBool();
    c.textShrink = ToCp932(get("textShrink").toString());
    c.narrowHalfWidthTexts = get("narrowHalfWidthTexts").toBool();
    c.halfWidthAspect = ToCp932(get("halfWidthAspect").toString());
    c.plainLayerNames = get("plainLayerNames").toBool();
    c.auxiliaryOnDefpoints = get("auxiliaryOnDefpoints").toBool();
    const QStringList pens = get("penColors").toString().split(',');
    for (std::size_t i = 0; i < c.penColors.size(); ++i) {
        const int color = i < static_cast<std::size_t>(pens.size()) ? pens[static_cast<qsizetype>(i)].toInt() : 0;
        c.penColors[i] = color >= 1 && color <= 7 ? color : ConversionSettings{}.penColors[i];
    }
    const QByteArray format = get("outputFormat").toString().toLatin1();
    c.outputFormat = OutputFormatNamed(std::string_view(format.constData(), static_cast<std::size_t>(format.size())))
                         .value_or(ConversionSettings{}.outputFormat);
    return c;
}

}  // namespace orvik
