#include "embeddingpermission.h"

using namespace Qt::StringLiterals;

namespace varelith {

EmbeddingPermission::EmbeddingPermission(quint16 fsType)
    : m_fsType(fsType)
    , m_known(true) {}

EmbeddingPermission::Level EmbeddingPermission::level() const {
    if (m_fsType & 0x0008)
        return Level::Editable;
    if (m_fsType & 0x0004)
        return Level::PreviewAndPrint;
    if (m_fsType & 0x0002)
        return Level::Restricted;
    return Level::Installable;
}

QString EmbeddingPermission::text() const {
    if (!m_known)
        return u"不明（OS/2 テーブルなし）"_s;
    QString text;
    switch (level()) {
    case Level::Installable:
        text = u"インストール可能（制限なし、PDF への埋め込み可）"_s;
        break;
    case Level::Editable:
        text = u"編集可能（PDF への埋め込み可、文書の編集も可）"_s;
        break;
    case Level::PreviewAndPrint:
        text = u"プレビューと印刷のみ（PDF への埋め込みは閲覧と印刷に限る）"_s;
        break;
    case Level::Restricted:
        text = u"制限付き（PDF への埋め込み不可）"_s;
        break;
    }
    if (level() != Level::Restricted) {
        if (noSubsetting())
            text += u"、サブセット化不可（フォント全体を埋め込む）"_s;
        if (bitmapOnly())
            text += u"、ビットマップのみ埋め込み可"_s;
    }
    return text;
}

} // namespace varelith
