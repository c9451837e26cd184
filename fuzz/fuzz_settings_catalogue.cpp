// The catalogue over the real INI store: a file of any bytes, or a folder or a file in its
// way, fonts of any names, any ticking. The catalogue agrees with the list; once the way is
// clear a commit stores it all, and the next start reads back every name and tick.

#include "catalogues.h"
#include "fuzzinput.h"
#include "inisettingsstore.h"

#include <QDir>
#include <QTemporaryDir>

using namespace varelith;
using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    static const QTemporaryDir home; // in memory where run-fuzzers can put it
    const QString folder = home.path() + u"/Varelith"_s, file = folder + u"/Varelith.ini"_s;
    const auto clearTheWay = [&] {
        QDir(folder).removeRecursively();
        QFile::remove(folder); // a file where the folder goes
    };
    clearTheWay();
    const std::string contents = data.ConsumeRandomLengthString(16384);
    const int obstacle = data.ConsumeIntegralInRange<int>(0, 15); // 1: folder, 2: file in the way
    QDir().mkpath(obstacle == 1 ? file : obstacle == 2 ? home.path() : folder);
    if (QFile out(obstacle == 2 ? folder : file); obstacle != 1 && out.open(QIODevice::WriteOnly))
        out.write(contents.data(), qint64(contents.size()));
    QStringList names; // as fontconfig gives them: valid Unicode, each family once
    for (int n = data.ConsumeIntegralInRange<int>(0, 30); n > 0; --n)
        names.append(QString::fromStdString(data.ConsumeRandomLengthString(4096)));
    names.removeDuplicates();
    FontCatalogue catalogue, again;
    testing::RecordingTickList list, againList;
    {
        IniSettingsStore store(file);
        catalogue.build(testing::ListFontSource(names), store, list);
        FUZZ_CHECK(list.names == names && list.ticks.count(true) == catalogue.SelNum());
        for (int n = 1; n <= names.size(); ++n)
            FUZZ_CHECK(list.isSelected(n - 1) == catalogue.isTicked(n));
        for (int k = 0; k < names.size(); ++k)
            list.setSelected(k, list.isSelected(k) != data.ConsumeBool());
        catalogue.commit(list, store);
        FUZZ_CHECK(list.ticks.count(true) == catalogue.SelNum());
        for (int n = 1; n <= names.size(); ++n)
            FUZZ_CHECK(catalogue.FontFlg(n) == (list.isSelected(n - 1) ? 1 : 0));
        if (obstacle == 1 || obstacle == 2) {
            clearTheWay();
            catalogue.commit(list, store);
        }
    }
    IniSettingsStore reopened(file);
    for (int n = 1; n <= names.size(); ++n)
        FUZZ_CHECK(reopened.GetSetting(FontCatalogue::nameKey(n), 0) == names.at(n - 1));
    again.build(testing::ListFontSource(names), reopened, againList);
    FUZZ_CHECK(againList.ticks == list.ticks && again.SelNum() == catalogue.SelNum());
    return 0;
}
