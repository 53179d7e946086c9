#include "ui/PageControls.h"

#include "core/Cp1252.h"
#include "lang/gui/QtTranslate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QCheckBox* makeCheckBox(QWidget* parent, int controlId)
{
    auto* box = new QCheckBox(parent);
    setControlId(box, controlId);
    return box;
}

QLabel* makeLabel(QWidget* parent, int controlId)
{
    auto* label = new QLabel(parent);
    setControlId(label, controlId);
    return label;
}

QPushButton* makeButton(QWidget* parent, int controlId)
{
    auto* button = new QPushButton(parent);
    button->setAutoDefault(false);
    setControlId(button, controlId);
    return button;
}

QGroupBox* makeGroupBox(QWidget* parent, int controlId)
{
    auto* group = new QGroupBox(parent);
    setControlId(group, controlId);
    return group;
}

QComboBox* makeEditableCombo(QWidget* parent, int maxLength)
{
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->lineEdit()->setMaxLength(maxLength);
    return combo;
}

void enableAll(bool on, std::initializer_list<QWidget*> controls)
{
    for (QWidget* control : controls)
        control->setEnabled(on);
}

void setChecked(QCheckBox* box, std::int32_t flag) { box->setChecked(flag != 0); }

std::int32_t flagOf(const QCheckBox* box) { return box->isChecked() ? 1 : 0; }

QString controlText(std::string_view bytes) { return cp1252::toQString(bytes); }

std::string recordText(const QString& text) { return cp1252::fromQString(text); }
