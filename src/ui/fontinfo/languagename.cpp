#include "languagename.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace varelith {

QString LanguageName::inJapanese(const QString& code) {
    // The languages fonts name their families in; a region only where it tells the
    // names apart (繁体字 and 簡体字 Chinese).
    static const QHash<QString, QString> names{
        {u"ja"_s, u"日本語"_s},
        {u"en"_s, u"英語"_s},
        {u"zh-tw"_s, u"中国語（繁体字）"_s},
        {u"zh-hk"_s, u"中国語（香港）"_s},
        {u"zh-cn"_s, u"中国語（簡体字）"_s},
        {u"zh-sg"_s, u"中国語（シンガポール）"_s},
        {u"zh"_s, u"中国語"_s},
        {u"ko"_s, u"韓国語"_s},
        {u"fr"_s, u"フランス語"_s},
        {u"de"_s, u"ドイツ語"_s},
        {u"es"_s, u"スペイン語"_s},
        {u"it"_s, u"イタリア語"_s},
        {u"ru"_s, u"ロシア語"_s},
        {u"pt"_s, u"ポルトガル語"_s},
        {u"nl"_s, u"オランダ語"_s},
        {u"el"_s, u"ギリシャ語"_s},
        {u"ar"_s, u"アラビア語"_s},
        {u"he"_s, u"ヘブライ語"_s},
        {u"th"_s, u"タイ語"_s},
        {u"vi"_s, u"ベトナム語"_s},
    };
    const QString lower = code.toLower();
    if (const auto found = names.constFind(lower); found != names.constEnd())
        return *found;
    // "en-us" is English wherever no region of it is listed.
    const QString language = lower.section(u'-', 0, 0);
    return names.value(language, code);
}

} // namespace varelith
