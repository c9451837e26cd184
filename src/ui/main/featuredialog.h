#pragma once

#include "featuresettings.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace varelith {

// "その他の機能": every feature with a description, each with a tick (ticked: on;
// unticked: left to the font, as in the 表示 menu), and the free tag field, which also
// switches features off ("-kern") and takes tags that have no description. Not modal:
// each change reaches the sheet at once, through featuresChosen.
class FeatureDialog : public QDialog {
    Q_OBJECT

public:
    explicit FeatureDialog(QWidget* parent = nullptr);

    // Shows `features`, in the ticks and the field, without telling anything back.
    void setFeatures(const FeatureSettings& features);
    const FeatureSettings& features() const { return m_features; }

    QTreeWidget* featureList() const { return m_list; }
    QLineEdit* tagField() const { return m_tags; }
    QPushButton* applyButton() const { return m_apply; }
    // Says why the field's text was not taken; hidden while there is nothing to say.
    QLabel* tagProblem() const { return m_problem; }

    // Takes the field's text: false, nothing changed and the problem shown, for a list
    // that does not read.
    bool applyTagText();

Q_SIGNALS:
    void featuresChosen(const FeatureSettings& features);

private:
    void ticked(QTreeWidgetItem* item);
    void choose(const FeatureSettings& features);

    FeatureSettings m_features;
    QTreeWidget* m_list;
    QLineEdit* m_tags;
    QPushButton* m_apply;
    QLabel* m_problem;
    bool m_filling = false;
};

} // namespace varelith
