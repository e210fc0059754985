#include "gui/StoredSettings.h"

#include <QStringList>

#include "app/OutputFormatChoices.h"
#include "gui/QtDialogs.h"

namespace orvik {
namespace {

// The settings kept as they are, by key: switches and field texts.
struct FlagKey {
    const char* key;
    bool ControlValues::*value;
};
constexpr FlagKey kFlags[] = {
    {"roundCoordinates", &ControlValues::roundCoordinates},   {"jwLineTypes", &ControlValues::jwLineTypes},
    {"curvesAsPolylines", &ControlValues::curvesAsPolylines}, {"shrinkTexts", &ControlValues::shrinkTexts},
    {"narrowHalfWidthTexts", &ControlValues::narrowHalfWidthTexts}, {"plainLayerNames", &ControlValues::plainLayerNames},
    {"auxiliaryOnDefpoints", &ControlValues::auxiliaryOnDefpoints}, {"explodeBlocks", &ControlValues::explodeBlocks},
};
struct TextKey {
    const char* key;
    std::string ControlValues::*value;
};
constexpr TextKey kTexts[] = {
    {"pointRadius", &ControlValues::pointRadius},
    {"textShrink", &ControlValues::textShrink},
    {"halfWidthAspect", &ControlValues::halfWidthAspect},
};

QString Key(const char* key) { return QStringLiteral("conversion/") + key; }

}  // namespace

void StoreControls(QSettings& store, const ControlValues& c) {
    for (const FlagKey& flag : kFlags) store.setValue(Key(flag.key), c.*flag.value);
    for (const TextKey& text : kTexts) store.setValue(Key(text.key), FromCp932(c.*text.value));
    store.setValue(Key("pointMode"), static_cast<int>(c.pointMode));
    QStringList pens;
    for (int color : c.penColors) pens << QString::number(color);
    store.setValue(Key("penColors"), pens.join(','));
    const std::string_view format = ChoiceOf(c.outputFormat).name;
    store.setValue(Key("outputFormat"), QString::fromLatin1(format.data(), static_cast<qsizetype>(format.size())));
}

std::optional<ControlValues> StoredControls(const QSettings& store) {
    if (!store.contains(Key("pointMode"))) return std::nullopt;
    ControlValues c;
    for (const FlagKey& flag : kFlags) c.*flag.value = store.value(Key(flag.key)).toBool();
    for (const TextKey& text : kTexts) c.*text.value = ToCp932(store.value(Key(text.key)).toString());
    const int mode = store.value(Key("pointMode")).toInt();
    c.pointMode = mode >= 1 && mode <= 3 ? static_cast<PointMode>(mode) : PointMode::FilledCircle;
    const QStringList pens = store.value(Key("penColors")).toString().split(',');
    for (std::size_t i = 0; i < c.penColors.size(); ++i) {
        const int color = i < static_cast<std::size_t>(pens.size()) ? pens[static_cast<qsizetype>(i)].toInt() : 0;
        c.penColors[i] = color >= 1 && color <= 7 ? color : ConversionSettings{}.penColors[i];
    }
    const QByteArray format = store.value(Key("outputFormat")).toString().toLatin1();
    c.outputFormat = OutputFormatNamed(std::string_view(format.constData(), static_cast<std::size_t>(format.size())))
                         .value_or(ConversionSettings{}.outputFormat);
    return c;
}

}  // namespace orvik
