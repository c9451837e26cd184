#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

class QXmlStreamWriter;

namespace varelith {

// The families switched off for every other program, through fontconfig's own
// <selectfont><rejectfont> in one file of this program's own in the user's conf.d. No
// other file is read or written. The program itself goes on listing them (its fontconfig
// configuration was read at start) and marks them from this file.
class RejectedFamilies {
public:
    // The file's name in the conf.d folder.
    static QString fileName();
    // $XDG_CONFIG_HOME/fontconfig/conf.d, by default ~/.config/fontconfig/conf.d.
    static QString standardFolder();

    // <fontconfig><selectfont><`element`> with a pattern for each family, written to the
    // end of the document: "rejectfont" in the file, "acceptfont" where the program keeps
    // listing them.
    static void writeSelection(QXmlStreamWriter& xml, const QString& element,
                               const QStringList& families);

    // Reads the file in the given folder, if there is one.
    explicit RejectedFamilies(const QString& confFolder);

    QString filePath() const { return m_path; }
    bool isRejected(const QString& family) const { return m_families.contains(family); }
    // In the order first switched off.
    QStringList families() const { return m_order; }

    // Switch the families off, or on again, and rewrite the file in one go (a new file
    // put in the old one's place). False when the file cannot be written: the families
    // stay as they were.
    bool reject(const QStringList& families);
    bool accept(const QStringList& families);

private:
    void read();
    bool write(const QStringList& order) const;
    bool replaceWith(const QStringList& order);

    QString m_path;
    QStringList m_order;
    QSet<QString> m_families;
};

} // namespace varelith
