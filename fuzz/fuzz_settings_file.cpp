// The real INI store over a settings file holding any bytes: the catalogue builds from it,
// names of any text are stored, a commit writes the ticks, and a second store opened on
// the same file reads back every name exactly and every tick as committed, whatever the
// file held before. Only a file the store could not write may lose this session's values.

#include "fontcatalogue.h"
#include "fuzzinput.h"
#include "inisettingsstore.h"
#include "listfontsource.h"
#include "recordingticklist.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace varelith;
using namespace varelith::fuzzing;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

QString settingsFile() {
    // In memory where the machine has it: every commit syncs the file to the disk.
    static QTemporaryDir home(QFileInfo(u"/dev/shm"_s).isWritable()
                                  ? u"/dev/shm/varelith-fuzz-XXXXXX"_s
                                  : QDir::tempPath() + u"/varelith-fuzz-XXXXXX"_s);
    return home.path() + u"/Varelith/Varelith.ini"_s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    const std::string fileBytes = data.ConsumeRandomLengthString(8192);
    const QString file = settingsFile();
    QDir().mkpath(QFileInfo(file).absolutePath());
    {
        QFile out(file);
        FUZZ_CHECK(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(fileBytes.data(), qint64(fileBytes.size()));
    }

    const int fontCount = data.ConsumeIntegralInRange<int>(0, 30);
    QStringList names;
    for (int n = 1; n <= fontCount; ++n)
        names.append(takeText(data, 40));
    const ListFontSource fonts(names);

    RecordingTickList list;
    FontCatalogue catalogue;
    {
        IniSettingsStore store(file);
        catalogue.build(fonts, store, list);
        const int toggles = fontCount > 0 ? data.ConsumeIntegralInRange<int>(0, 200) : 0;
        for (int toggle = 0; toggle < toggles; ++toggle) {
            const int k = data.ConsumeIntegralInRange<int>(0, fontCount - 1);
            list.setSelected(k, !list.isSelected(k));
        }
        catalogue.commit(list, store);
        // A regular file in a writable folder is always written.
        FUZZ_CHECK(!store.hasFailed());
    }

    IniSettingsStore reopened(file);
    FUZZ_CHECK(!reopened.hasFailed());
    for (int n = 1; n <= fontCount; ++n) {
        FUZZ_CHECK(reopened.GetSetting(FontCatalogue::nameKey(n), 0) == names.at(n - 1));
        FUZZ_CHECK(reopened.GetSetting(FontCatalogue::flagKey(n), 7) ==
                   (list.isSelected(n - 1) ? u"1"_s : u"0"_s));
    }
    FontCatalogue again;
    RecordingTickList againList;
    again.build(fonts, reopened, againList);
    FUZZ_CHECK(againList.ticks == list.ticks);
    FUZZ_CHECK(again.SelNum() == catalogue.SelNum());
    return 0;
}
