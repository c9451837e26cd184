#include "typesetting.h"

#include "settingsstore.h"

using namespace Qt::StringLiterals;

namespace varelith {

namespace {
const QString WritingKey = u"writing_Sheet"_s;
const QString FeaturesKey = u"features_Sheet"_s;
const QString AxesKey = u"axes_Sheet"_s;
const QString Vertical = u"vertical"_s;
} // namespace

Typesetting Typesetting::load(const SettingsStore& store) {
    Typesetting typesetting;
    typesetting.vertical =
        store.contains(WritingKey) && store.GetSetting(WritingKey, 0) == Vertical;
    if (store.contains(FeaturesKey))
        typesetting.features = FeatureSettings::fromText(store.GetSetting(FeaturesKey, 0));
    if (store.contains(AxesKey))
        typesetting.axes = VariationSettings::fromText(store.GetSetting(AxesKey, 0));
    typesetting.pairing = LatinPairing::load(store);
    return typesetting;
}

void Typesetting::save(SettingsStore& store) const {
    store.SaveSetting(WritingKey, vertical ? Vertical : u"horizontal"_s);
    store.SaveSetting(FeaturesKey, features.toText());
    store.SaveSetting(AxesKey, axes.toText());
    pairing.save(store);
}

QString Typesetting::missingNote(const QStringList& tags) {
    return tags.isEmpty() ? QString() : tags.join(u'・') + u" 非対応"_s;
}

} // namespace varelith
