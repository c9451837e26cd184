#include "facefactsview.h"

#include "facefacts.h"
#include "fontface.h"
#include "fonttextfont.h"
#include "unopenedlinknotice.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

QString orDash(const QString& text) {
    return text.isEmpty() ? u"—"_s : text;
}

QString number(double value) {
    return QString::number(value, 'g', 6);
}

} // namespace

FaceFactsView::FaceFactsView(UrlOpener openUrl, QClipboard* clipboard, QWidget* parent)
    : QWidget(parent)
    , m_openUrl(std::move(openUrl))
    , m_clipboard(clipboard)
    , m_file(new QLineEdit(this))
    , m_openFolder(new QPushButton(u"フォルダーを開く(&O)"_s, this))
    , m_form(new QFormLayout(this)) {
    setObjectName(u"FaceFactsView"_s);
    m_form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_form->setRowWrapPolicy(QFormLayout::DontWrapRows);

    m_file->setObjectName(u"txt_File"_s);
    m_file->setAccessibleName(u"ファイル"_s);
    m_file->setReadOnly(true);
    m_openFolder->setObjectName(u"btn_OpenFolder"_s);
    m_openFolder->setAccessibleName(u"フォルダーを開く"_s);
    connect(m_openFolder, &QPushButton::clicked, this, [this] {
        if (!m_file->text().isEmpty())
            open(QUrl::fromLocalFile(QFileInfo(m_file->text()).absolutePath()), true);
    });
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(m_openFolder);
    auto* fileCaption = new QLabel(u"ファイル(&L):"_s, this);
    fileCaption->setBuddy(m_file);
    m_form->addRow(fileCaption, fileRow);

    addRow(u"フォント番号（TTC 内）:"_s, u"lbl_Index"_s, u"コレクション内の番号"_s);
    addRow(u"形式:"_s, u"lbl_Format"_s, u"形式"_s);
    addRow(u"可変軸:"_s, u"lbl_Axes"_s, u"可変軸"_s);
    addRow(u"バージョン(&V):"_s, u"lbl_Version"_s, u"バージョン"_s);
    addRow(u"ベンダー:"_s, u"lbl_Vendor"_s, u"ベンダー"_s);
    addRow(u"デザイナー:"_s, u"lbl_Designer"_s, u"デザイナー"_s);
    addRow(u"著作権(&C):"_s, u"lbl_Copyright"_s, u"著作権"_s);
    addRow(u"ライセンス(&I):"_s, u"lbl_Licence"_s, u"ライセンス"_s);
    m_licenceUrl = addRow(u"ライセンス URL(&U):"_s, u"lbl_LicenceUrl"_s, u"ライセンス URL"_s);
    m_licenceUrl->setTextFormat(Qt::RichText);
    m_licenceUrl->setTextInteractionFlags(Qt::TextBrowserInteraction |
                                          Qt::TextSelectableByKeyboard);
    connect(m_licenceUrl, &QLabel::linkActivated, this,
            [this](const QString& link) { open(QUrl(link), false); });
    addRow(u"埋め込み(&E):"_s, u"lbl_Embedding"_s, u"埋め込みの許可"_s);
    addRow(u"グリフ数:"_s, u"lbl_Glyphs"_s, u"グリフ数"_s);
    addRow(u"機能(&T):"_s, u"lbl_Features"_s, u"OpenType の機能"_s);
    addRow(u"言語(&A):"_s, u"lbl_Languages"_s, u"言語"_s);
}

QLabel* FaceFactsView::addRow(const QString& caption, const QString& objectName,
                              const QString& accessible) {
    auto* value = new QLabel(this);
    value->setObjectName(objectName);
    // No accessible name: that would stand in for the text, and a screen reader would say
    // "バージョン" instead of the version. The caption is its label (the buddy below).
    value->setAccessibleDescription(accessible);
    value->setWordWrap(true);
    value->setTextFormat(Qt::PlainText);
    // Every value can be selected and copied, and is reached with Tab.
    value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    value->setFocusPolicy(Qt::StrongFocus);
    auto* label = new QLabel(caption, this);
    label->setBuddy(value);
    m_form->addRow(label, value);
    return value;
}

void FaceFactsView::open(const QUrl& url, bool folder) {
    if (!m_openUrl || m_openUrl(url))
        return;
    const QString address = folder ? url.toLocalFile() : url.toString();
    UnopenedLinkNotice::show(
        this, folder ? UnopenedLinkNotice::Kind::Folder : UnopenedLinkNotice::Kind::Link, address,
        m_clipboard);
}

QString FaceFactsView::value(const QString& objectName) const {
    const auto* label = findChild<QLabel*>(objectName);
    return label ? label->text() : QString();
}

void FaceFactsView::setFacts(const FontFace& face, const FaceFacts& facts,
                             const QStringList& languages, const FaceDrawing* drawing) {
    const auto set = [this, drawing](const QString& name, const QString& text) {
        if (auto* label = findChild<QLabel*>(name)) {
            label->setFont(FontTextFont::choose(orDash(text), font(), m_interfaceFace, drawing));
            label->setText(orDash(text));
        }
    };
    m_file->setFont(FontTextFont::choose(face.file, font(), m_interfaceFace, nullptr));
    m_file->setText(face.file);
    m_file->setCursorPosition(0);
    QString index = QString::number(face.collectionIndex());
    if (face.namedInstance)
        index += u"（名前付きインスタンス %1）"_s.arg(face.index >> 16);
    set(u"lbl_Index"_s, index);
    if (!facts.readable) {
        set(u"lbl_Format"_s, u"読み込めません"_s);
        for (const char16_t* name :
             {u"lbl_Axes", u"lbl_Version", u"lbl_Vendor", u"lbl_Designer", u"lbl_Copyright",
              u"lbl_Licence", u"lbl_Embedding", u"lbl_Glyphs", u"lbl_Features"})
            set(QString::fromUtf16(name), {});
        m_licenceUrl->setText(orDash({}));
        set(u"lbl_Languages"_s, languages.join(u", "));
        return;
    }
    set(u"lbl_Format"_s, facts.formatText() + (facts.variable() ? u" 可変フォント"_s : QString()));
    QStringList axes;
    for (const FaceFacts::Axis& axis : facts.axes)
        axes.append(u"%1 (%2) %3–%4、既定 %5"_s.arg(axis.name, axis.tag, number(axis.minimum),
                                                    number(axis.maximum),
                                                    number(axis.defaultValue)));
    set(u"lbl_Axes"_s, axes.join(u'\n'));
    set(u"lbl_Version"_s, facts.version);
    QStringList vendor;
    if (!facts.vendor.isEmpty())
        vendor.append(facts.vendor);
    if (!facts.manufacturer.isEmpty())
        vendor.append(facts.manufacturer);
    set(u"lbl_Vendor"_s, vendor.join(u" / "));
    set(u"lbl_Designer"_s, facts.designer);
    set(u"lbl_Copyright"_s, facts.copyright);
    set(u"lbl_Licence"_s, facts.licence);
    const QUrl url(facts.licenceUrl);
    if (url.isValid() && !url.scheme().isEmpty())
        m_licenceUrl->setText(u"<a href=\"%1\">%2</a>"_s.arg(
            url.toString(QUrl::FullyEncoded).toHtmlEscaped(), facts.licenceUrl.toHtmlEscaped()));
    else
        m_licenceUrl->setText(orDash(facts.licenceUrl).toHtmlEscaped());
    set(u"lbl_Embedding"_s, facts.embedding.text());
    set(u"lbl_Glyphs"_s, QString::number(facts.glyphCount));
    set(u"lbl_Features"_s, facts.features.join(u' '));
    set(u"lbl_Languages"_s, languages.join(u", "));
}

} // namespace varelith
