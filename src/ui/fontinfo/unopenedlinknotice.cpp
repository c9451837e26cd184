#include "unopenedlinknotice.h"

#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace varelith {

QMessageBox* UnopenedLinkNotice::show(QWidget* parent, Kind kind, const QString& address,
                                      QClipboard* clipboard) {
    const bool link = kind == Kind::Link;
    auto* box = new QMessageBox(parent);
    box->setObjectName(u"UnopenedLinkNotice"_s);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(QMessageBox::Information);
    box->setWindowTitle(link ? u"リンクを開けません"_s : u"フォルダーを開けません"_s);
    box->setText(
        link ? u"リンクを開けませんでした。ブラウザーが設定されていないようです。"_s
             : u"フォルダーを開けませんでした。ファイルマネージャーが設定されていないようです。"_s);
    box->setInformativeText(address + u"\n\n"_s +
                            (link ? u"アドレスをコピーして、ほかの方法で開けます。"_s
                                  : u"場所をコピーして、ほかの方法で開けます。"_s));
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QPushButton* copy = box->addButton(link ? u"アドレスをコピー(&C)"_s : u"場所をコピー(&C)"_s,
                                       QMessageBox::AcceptRole);
    copy->setObjectName(u"btn_CopyAddress"_s);
    QPushButton* close = box->addButton(u"閉じる"_s, QMessageBox::RejectRole);
    close->setObjectName(u"btn_Close"_s);
    box->setDefaultButton(copy);
    box->setEscapeButton(close);
    if (clipboard)
        QObject::connect(copy, &QPushButton::clicked, clipboard,
                         [clipboard, address] { clipboard->setText(address); });
    box->open();
    return box;
}

} // namespace varelith
