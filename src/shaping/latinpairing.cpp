#include "latinpairing.h"

#include "settingsstore.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {
const QString ModeKey = u"pairing_Sheet"_s;
const QString LatinFamilyKey = u"latinFamily_Sheet"_s;
const QString LatinStyleKey = u"latinStyle_Sheet"_s;
const QString ScaleKey = u"latinScale_Sheet"_s;
const QString ShiftKey = u"latinShift_Sheet"_s;
const QString JapaneseFamilyKey = u"japaneseFamily_Sheet"_s;

QString text(const SettingsStore& store, const QString& key) {
    return store.contains(key) ? store.GetSetting(key, 0) : QString();
}

// Numbers in the C locale, whatever the user's: "12.5".
QString number(double value) {
    return QString::number(value, 'g', 6);
}

QString signedPercent(double value) {
    return (value > 0 ? u"+"_s : QString()) + number(value) + u'%';
}

} // namespace

bool LatinPairing::isActive() const {
    switch (mode) {
    case Mode::EachLine:
        return !latinFamily.isEmpty();
    case Mode::Partners:
        return !japaneseFamily.isEmpty();
    case Mode::None:
        break;
    }
    return false;
}

QString LatinPairing::note() const {
    if (!isActive())
        return {};
    QString note =
        mode == Mode::EachLine
            ? u"欧文 "_s + latinFamily + (latinStyle.isEmpty() ? QString() : u' ' + latinStyle)
            : u"和文 "_s + japaneseFamily;
    if (scalePercent != 100)
        note += u' ' + number(scalePercent) + u'%';
    if (shiftPercent != 0)
        note += u' ' + signedPercent(shiftPercent);
    return note;
}

LatinPairing LatinPairing::bounded() const {
    LatinPairing held = *this;
    held.scalePercent = std::clamp(scalePercent, MinScale, MaxScale);
    held.shiftPercent =
        std::isfinite(shiftPercent) ? std::clamp(shiftPercent, -MaxShift, MaxShift) : 0;
    return held;
}

LatinPairing LatinPairing::load(const SettingsStore& store) {
    LatinPairing pairing;
    const QString mode = text(store, ModeKey);
    pairing.mode = mode == u"each"_s       ? Mode::EachLine
                   : mode == u"partners"_s ? Mode::Partners
                                           : Mode::None;
    pairing.latinFamily = text(store, LatinFamilyKey);
    pairing.latinStyle = text(store, LatinStyleKey);
    pairing.japaneseFamily = text(store, JapaneseFamilyKey);
    bool read = false;
    const int scale = text(store, ScaleKey).toInt(&read);
    if (read)
        pairing.scalePercent = scale;
    const double shift = text(store, ShiftKey).toDouble(&read);
    if (read)
        pairing.shiftPercent = shift;
    return pairing.bounded();
}

void LatinPairing::save(SettingsStore& store) const {
    store.SaveSetting(ModeKey, mode == Mode::EachLine   ? u"each"_s
                               : mode == Mode::Partners ? u"partners"_s
                                                        : u"none"_s);
    store.SaveSetting(LatinFamilyKey, latinFamily);
    store.SaveSetting(LatinStyleKey, latinStyle);
    store.SaveSetting(JapaneseFamilyKey, japaneseFamily);
    store.SaveSetting(ScaleKey, QString::number(scalePercent));
    store.SaveSetting(ShiftKey, number(shiftPercent));
}

} // namespace varelith
