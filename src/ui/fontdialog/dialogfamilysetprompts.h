#pragma once

#include "familysetprompts.h"

class QWidget;

namespace varelith {

// The sets bar's questions in the platform's input and file dialogs, over `parent`.
class DialogFamilySetPrompts : public FamilySetPrompts {
public:
    explicit DialogFamilySetPrompts(QWidget* parent)
        : m_parent(parent) {}

    QString askName(const QString& title, const QString& suggested) override;
    QString exportPath(const QString& suggestedName) override;
    QString importPath() override;

private:
    QWidget* m_parent;
};

} // namespace varelith
