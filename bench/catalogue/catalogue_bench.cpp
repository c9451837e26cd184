// Times opening the real INI store, a catalogue build and a selection commit, as at start-up
// and when the font selection dialog closes: first run (empty store), then a second run
// over the store the first one wrote, with a few ticks changed. Then the build of an
// ordinary next start, where every font is found at its stored place, and of a start
// after one font was installed in the middle of the list, where every font after it is
// found by its name. Each of these two from a fresh copy of the same file, the median of
// several runs.
//
//   catalogue_bench [FONTS]   (default 20000)

#include "fontcatalogue.h"
#include "inisettingsstore.h"
#include "listfontsource.h"
#include "recordingticklist.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <memory>

#include <time.h>

using namespace varelith;
using namespace varelith::testing;

namespace {

constexpr int Runs = 7;

double millisecondsFor(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

double cpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The median build time over `Runs` builds, each on a fresh copy of `stored`: "12.3 ms
// (CPU 11.9 ms)". The CPU time, the kernel's included, tells on a busy machine.
QString medianBuild(const QString& stored, const QString& file, const QStringList& names) {
    QList<double> times, cpuTimes;
    for (int run = 0; run < Runs; ++run) {
        QFile::remove(file);
        QFile::copy(stored, file);
        IniSettingsStore store(file);
        FontCatalogue catalogue;
        RecordingTickList list;
        const double cpuBefore = cpuMilliseconds();
        times.append(millisecondsFor([&] { catalogue.build(ListFontSource(names), store, list); }));
        cpuTimes.append(cpuMilliseconds() - cpuBefore);
    }
    std::sort(times.begin(), times.end());
    std::sort(cpuTimes.begin(), cpuTimes.end());
    return QString::number(times.at(Runs / 2), 'f', 1) + QStringLiteral(" ms (CPU ") +
           QString::number(cpuTimes.at(Runs / 2), 'f', 1) + QStringLiteral(" ms)");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int fonts = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20000;
    QTemporaryDir home;
    const QString file = home.path() + QStringLiteral("/Varelith/Varelith.ini");

    QStringList names;
    for (int n = 1; n <= fonts; ++n)
        names.append(QStringLiteral("Bench Sans %1").arg(n, 5, 10, QLatin1Char('0')));
    const ListFontSource source(names);
    QTextStream out(stdout);
    out << "fonts: " << fonts << Qt::endl;

    // The second run starts from what the first stored and changes a few ticks, as a
    // user does between two starts.
    int step = 3;
    for (const char* run : {"first run", "second run"}) {
        std::unique_ptr<IniSettingsStore> store;
        const double open =
            millisecondsFor([&] { store = std::make_unique<IniSettingsStore>(file); });
        FontCatalogue catalogue;
        RecordingTickList list;
        const double build = millisecondsFor([&] { catalogue.build(source, *store, list); });
        for (int k = 0; k < list.listCount(); k += step)
            list.setSelected(k, !list.isSelected(k));
        step = 500;
        const double commit = millisecondsFor([&] { catalogue.commit(list, *store); });
        // bench/scale.sh reads the line up to the commit's figure.
        out << run << ": build " << QString::number(build, 'f', 1) << " ms, commit "
            << QString::number(commit, 'f', 1) << " ms, ticked " << catalogue.SelNum() << ", file "
            << QFileInfo(file).size() / 1024 << " KiB, store opened in "
            << QString::number(open, 'f', 1) << " ms" << Qt::endl;
    }

    const QString stored = home.path() + QStringLiteral("/stored.ini");
    QFile::copy(file, stored);
    QStringList oneMore = names;
    oneMore.insert(fonts / 2, QStringLiteral("Bench Sans Added"));
    out << "next start, build (median of " << Runs << "): " << medianBuild(stored, file, names)
        << Qt::endl;
    out << "one font added in the middle, build (median of " << Runs
        << "): " << medianBuild(stored, file, oneMore) << Qt::endl;
    return 0;
}
