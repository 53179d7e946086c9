#include "app/CDlgExplainCost.h"

#include "app/AppResources.h"
#include "app/DialogButtons.h"
#include "lang/gui/QtTranslate.h"
#include "prefs/Preferences.h"
#include "rating/RatingExplanation.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CDlgExplainCost::CDlgExplainCost(const SettingsDatabase& settings, const Preferences& prefs, const CallRecord& call,
                                 QWidget* parent)
    : QDialog(parent)
{
    const CallRating rating(settings, RatingOptions::from(prefs));
    m_text = new QPlainTextEdit(qtText(explanationText(explainCall(rating, call), settings)), this);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth); // long lines stay readable without scrolling sideways
    m_text->setMinimumSize(780, 360);

    QDialogButtonBox* buttons = addDialogButtons(this, QDialogButtonBox::Ok);
    QPushButton* copyButton = buttons->addButton(QString(), QDialogButtonBox::ActionRole);
    setControlId(copyButton, appres::kExplainCopy);
    connect(copyButton, &QPushButton::clicked, this, &CDlgExplainCost::copy);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
    TranslateDialog(appres::kExplainDialog, this);
}

QString CDlgExplainCost::text() const { return m_text->toPlainText(); }

void CDlgExplainCost::copy() const { QGuiApplication::clipboard()->setText(text()); }
