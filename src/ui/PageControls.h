#pragma once
// Small makers of page controls that carry their template's control id (so
// TranslateDialog gives them their texts), and the enabling of a group of
// controls by a check box.

#include <QString>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

QCheckBox* makeCheckBox(QWidget* parent, int controlId);
QLabel* makeLabel(QWidget* parent, int controlId);
QPushButton* makeButton(QWidget* parent, int controlId);
QGroupBox* makeGroupBox(QWidget* parent, int controlId);
// An editable combo box taking at most `maxLength` characters, adding nothing
// to its list when Enter is pressed.
QComboBox* makeEditableCombo(QWidget* parent, int maxLength);

// Enables every control of the list when `on`, disables it otherwise.
void enableAll(bool on, std::initializer_list<QWidget*> controls);

// Record flags (0 off, anything else on) and check boxes.
void setChecked(QCheckBox* box, std::int32_t flag);
std::int32_t flagOf(const QCheckBox* box);

// Windows-1252 record texts and control texts.
QString controlText(std::string_view bytes);
std::string recordText(const QString& text);
