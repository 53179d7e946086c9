#include "ui/CharFilter.h"

#include <utility>

CharSetValidator::CharSetValidator(QString allowed, QObject* parent)
    : QValidator(parent)
    , m_allowed(std::move(allowed))
{ }

bool CharSetValidator::accepts(const QString& text) const
{
    for (const QChar c : text)
        if (!m_allowed.contains(c))
            return false;
    return true;
}

QValidator::State CharSetValidator::validate(QString& input, int& pos) const
{
    (void)pos;
    return accepts(input) ? Acceptable : Invalid;
}

CFilterEdit::CFilterEdit(const QString& allowed, QWidget* parent)
    : QLineEdit(parent)
{
    setValidator(new CharSetValidator(allowed, this));
}

CFilterCombo::CFilterCombo(const QString& allowed, QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setValidator(new CharSetValidator(allowed, this));
}
