#include "ivdcollections.h"

#include <QFile>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

bool hexNumber(QStringView text, char32_t& value) {
    bool ok = false;
    const uint number = text.trimmed().toUInt(&ok, 16);
    value = char32_t(number);
    return ok && number <= 0x10FFFF;
}

} // namespace

IvdCollections IvdCollections::fromText(QStringView text) {
    IvdCollections collections;
    QHash<QString, qsizetype> known;
    for (QStringView line : text.tokenize(u'\n')) {
        line = line.left(line.indexOf(u'#')).trimmed();
        const QList<QStringView> fields = line.split(u';');
        if (fields.size() < 2)
            continue;
        const QList<QStringView> pair = fields.at(0).trimmed().split(u' ', Qt::SkipEmptyParts);
        char32_t base = 0;
        char32_t selector = 0;
        const QString name = fields.at(1).trimmed().toString();
        if (pair.size() != 2 || !hexNumber(pair.at(0), base) || !hexNumber(pair.at(1), selector) ||
            name.isEmpty())
            continue;
        auto found = known.constFind(name);
        if (found == known.cend()) {
            found = known.insert(name, collections.m_collections.size());
            collections.m_collections.append(name);
        }
        collections.m_sequences.insert(key(base, selector), *found);
    }
    return collections;
}

IvdCollections IvdCollections::load(const QStringList& files) {
    for (const QString& path : files) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            return fromText(QString::fromUtf8(file.readAll()));
    }
    return {};
}

QStringList IvdCollections::standardFiles() {
    QStringList files;
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        for (const QString& folder : {u"unicode/ivd"_s, u"unicode"_s, u"ivd"_s})
            files.append(data + u'/' + folder + u"/IVD_Sequences.txt"_s);
    return files;
}

QString IvdCollections::collection(char32_t base, char32_t selector) const {
    const qsizetype index = m_sequences.value(key(base, selector), -1);
    return index < 0 ? QString() : m_collections.at(index);
}

QString IvdCollections::selectorName(char32_t selector) {
    int number = 0;
    if (selector >= 0xFE00 && selector <= 0xFE0F)
        number = int(selector - 0xFE00) + 1;
    else if (selector >= 0xE0100 && selector <= 0xE01EF)
        number = int(selector - 0xE0100) + 17;
    const QString code = u"U+%1"_s.arg(uint(selector), 4, 16, QChar(u'0')).toUpper();
    return number ? u"VS%1 (%2)"_s.arg(number).arg(code) : code;
}

} // namespace varelith
