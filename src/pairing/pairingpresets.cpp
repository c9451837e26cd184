#include "pairingpresets.h"

#include "latinpairing.h"
#include "settingsstore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace varelith {

const QString PairingPresets::SettingKey = u"presets_Pairing"_s;

PairingPresets PairingPresets::load(const SettingsStore& store) {
    PairingPresets loaded;
    if (!store.contains(SettingKey))
        return loaded;
    const QJsonDocument document =
        QJsonDocument::fromJson(store.GetSetting(SettingKey, 0).toUtf8());
    for (const QJsonValue& value : document.array()) {
        const QJsonObject object = value.toObject();
        PairingPreset preset;
        preset.name = object.value(u"name"_s).toString().trimmed();
        preset.japaneseFamily = object.value(u"japanese"_s).toString();
        preset.latinFamily = object.value(u"latin"_s).toString();
        preset.latinStyle = object.value(u"style"_s).toString();
        const double scale = object.value(u"scale"_s).toDouble(100);
        preset.scalePercent = std::isfinite(scale)
                                  ? std::clamp(int(std::lround(scale)), LatinPairing::MinScale,
                                               LatinPairing::MaxScale)
                                  : 100;
        const double shift = object.value(u"shift"_s).toDouble(0);
        preset.shiftPercent = std::isfinite(shift) ? std::clamp(shift, -LatinPairing::MaxShift,
                                                                LatinPairing::MaxShift)
                                                   : 0;
        if (!preset.name.isEmpty() && !preset.japaneseFamily.isEmpty() &&
            !preset.latinFamily.isEmpty())
            loaded.put(preset);
    }
    return loaded;
}

void PairingPresets::save(SettingsStore& store) const {
    QJsonArray array;
    for (const PairingPreset& preset : m_presets)
        array.append(QJsonObject{{u"name"_s, preset.name},
                                 {u"japanese"_s, preset.japaneseFamily},
                                 {u"latin"_s, preset.latinFamily},
                                 {u"style"_s, preset.latinStyle},
                                 {u"scale"_s, preset.scalePercent},
                                 {u"shift"_s, preset.shiftPercent}});
    store.SaveSetting(SettingKey,
                      QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact)));
}

const PairingPreset* PairingPresets::find(const QString& name) const {
    for (const PairingPreset& preset : m_presets)
        if (preset.name == name)
            return &preset;
    return nullptr;
}

void PairingPresets::put(const PairingPreset& preset) {
    for (PairingPreset& kept : m_presets)
        if (kept.name == preset.name) {
            kept = preset;
            return;
        }
    m_presets.append(preset);
}

void PairingPresets::remove(const QString& name) {
    m_presets.removeIf([&name](const PairingPreset& preset) { return preset.name == name; });
}

} // namespace varelith
