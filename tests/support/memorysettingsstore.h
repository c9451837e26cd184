#pragma once

#include "settingsstore.h"

#include <QHash>
#include <QStringList>

namespace varelith::testing {

// A settings store in memory that records what the code under test did to it.
class MemorySettingsStore : public SettingsStore {
public:
    QString GetSetting(const QString& key, int defaultValue) const override {
        ++reads;
        const auto found = values.constFind(key);
        return found != values.constEnd() ? *found : QString::number(defaultValue);
    }
    bool contains(const QString& key) const override { return values.contains(key); }
    void SaveSetting(const QString& key, const QString& value) override {
        values.insert(key, value);
        savedKeys.append(key);
    }
    void flush() override { ++flushes; }

    QHash<QString, QString> values;
    QStringList savedKeys; // in the order saved
    mutable int reads = 0;
    int flushes = 0;
};

} // namespace varelith::testing
