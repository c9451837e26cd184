#pragma once

#include <QFontDatabase>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace varelith {

class EnterButton;

// The strip above the font list: the name filter "絞り込み", the choice of writing
// system, "見本の文字を含むフォントのみ", "同じ書体のファイルが複数あるフォントのみ", and the three
// buttons that tick every row shown.
class FontFilterBar : public QWidget {
    Q_OBJECT

public:
    explicit FontFilterBar(QWidget* parent = nullptr);

    QLineEdit* txt_Filter() const { return m_filter; }
    QComboBox* cmb_Script() const { return m_script; }
    QCheckBox* chk_Sample() const { return m_sample; }
    QCheckBox* chk_Duplicates() const { return m_duplicates; }
    EnterButton* btn_TickAll() const { return m_tickAll; }
    EnterButton* btn_UntickAll() const { return m_untickAll; }
    EnterButton* btn_Invert() const { return m_invert; }

    // The writing systems offered, in their order, "すべて" (Any) first.
    static QList<std::pair<QString, QFontDatabase::WritingSystem>> writingSystems();

Q_SIGNALS:
    void nameFilterChanged(const QString& text);
    void writingSystemChanged(QFontDatabase::WritingSystem system);
    void sampleFilterToggled(bool on);
    void duplicatesFilterToggled(bool on);

private:
    QLineEdit* m_filter;
    QComboBox* m_script;
    QCheckBox* m_sample;
    QCheckBox* m_duplicates;
    EnterButton* m_tickAll;
    EnterButton* m_untickAll;
    EnterButton* m_invert;
};

} // namespace varelith
