#pragma once

#include "fontinfoopener.h"

#include <QStringList>

namespace varelith::testing {

// Records the families it is asked to show.
class RecordingFontInfoOpener : public FontInfoOpener {
public:
    void showFamily(const QString& family) override { shown.append(family); }
    QStringList shown;
};

} // namespace varelith::testing
