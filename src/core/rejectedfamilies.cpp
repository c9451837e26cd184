#include "rejectedfamilies.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace varelith {

using namespace Qt::StringLiterals;

QString RejectedFamilies::fileName() {
    return u"70-varelith-rejected.conf"_s;
}

QString RejectedFamilies::standardFolder() {
    // Worked out here, not cached, so that a test's XDG_CONFIG_HOME is honoured.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/fontconfig/conf.d"_s;
}

RejectedFamilies::RejectedFamilies(const QString& confFolder)
    : m_path(QDir(confFolder).filePath(fileName())) {
    read();
}

void RejectedFamilies::read() {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    // Every <string> under <rejectfont>: what the program wrote. A file cut short keeps
    // the names read before the damage.
    QXmlStreamReader xml(&file);
    int rejectDepth = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"rejectfont")
                ++rejectDepth;
            else if (rejectDepth > 0 && xml.name() == u"string") {
                const QString family = xml.readElementText();
                if (!family.isEmpty() && !m_families.contains(family)) {
                    m_families.insert(family);
                    m_order.append(family);
                }
            }
        } else if (token == QXmlStreamReader::EndElement && xml.name() == u"rejectfont") {
            --rejectDepth;
        }
    }
}

bool RejectedFamilies::reject(const QStringList& families) {
    QStringList order = m_order;
    QSet<QString> known = m_families;
    for (const QString& family : families) {
        if (!family.isEmpty() && !known.contains(family)) {
            known.insert(family);
            order.append(family);
        }
    }
    return order.size() == m_order.size() || replaceWith(order);
}

bool RejectedFamilies::accept(const QStringList& families) {
    const QSet<QString> back(families.cbegin(), families.cend());
    QStringList order;
    order.reserve(m_order.size());
    for (const QString& family : std::as_const(m_order)) {
        if (!back.contains(family))
            order.append(family);
    }
    return order.size() == m_order.size() || replaceWith(order);
}

bool RejectedFamilies::replaceWith(const QStringList& order) {
    if (!write(order))
        return false;
    m_order = order;
    m_families = QSet<QString>(order.cbegin(), order.cend());
    return true;
}

bool RejectedFamilies::write(const QStringList& order) const {
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return false;
    // Other programs reread conf.d on their own: they find the old file or the new one,
    // never half of one.
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDTD(u"<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">"_s);
    xml.writeComment(u" Families Varelith switched off (無効). Written by Varelith. "_s);
    writeSelection(xml, u"rejectfont"_s, order);
    return !xml.hasError() && file.commit();
}

void RejectedFamilies::writeSelection(QXmlStreamWriter& xml, const QString& element,
                                      const QStringList& families) {
    xml.writeStartElement(u"fontconfig"_s);
    xml.writeStartElement(u"selectfont"_s);
    xml.writeStartElement(element);
    for (const QString& family : families) {
        xml.writeStartElement(u"pattern"_s);
        xml.writeStartElement(u"patelt"_s);
        xml.writeAttribute(u"name"_s, u"family"_s);
        xml.writeTextElement(u"string"_s, family);
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndDocument();
}

} // namespace varelith
