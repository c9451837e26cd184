#pragma once

#include <QObject>

class QLabel;
class QPushButton;
class QWidget;

namespace varelith {

class Form1;

// Says, under the sheet, that the page shown was set in fonts that have since changed
// (installed or removed while the program runs), and draws it again on request. Hidden
// while the page is current.
class OutdatedPageNotice : public QObject {
    Q_OBJECT

public:
    explicit OutdatedPageNotice(Form1& window);
    ~OutdatedPageNotice() override;

    void setOutdated(bool outdated);

    QWidget* bar() const { return m_bar; }
    QLabel* text() const { return m_text; }
    QPushButton* showAgain() const { return m_showAgain; }

private:
    Form1& m_window;
    QWidget* m_bar;
    QLabel* m_text;
    QPushButton* m_showAgain;
};

} // namespace varelith
