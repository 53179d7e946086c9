#include "app/CDlgCallChecks.h"

#include "app/DialogButtons.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "session/MainSession.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

CDlgCallChecks::CDlgCallChecks(const MainSession& session, ShowCalls show, QWidget* parent)
    : QDialog(parent)
    , m_results(CallChecks(session.settings()).run(session.calls().calls(), session.calls().visible()))
    , m_show(std::move(show))
    , m_list(new QTreeWidget(this))
{
    setWindowTitle(qtText(LoadText(sid::kCallChecksTitle)));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({qtText(LoadText(sid::kCheckRule)), QString(), qtText(LoadText(sid::kCheckCount))});
    for (const CheckRule rule : allCheckRules()) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, qtText(LoadText(sid::kCheckZeroCost + static_cast<int>(rule))));
        item->setText(1, QString::fromLatin1(checkRuleName(rule).data(), static_cast<int>(checkRuleName(rule).size())));
        item->setText(2, QString::number(m_results[rule].size()));
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(0, Qt::UserRole, static_cast<int>(rule));
    }
    for (int c = 0; c < 3; ++c)
        m_list->resizeColumnToContents(c);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { showRule(static_cast<CheckRule>(item->data(0, Qt::UserRole).toInt())); });

    QDialogButtonBox* buttons = addDialogButtons(this, QDialogButtonBox::Close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(560, 320);
}

void CDlgCallChecks::showRule(CheckRule rule)
{
    if (m_results[rule].empty())
        return;
    if (m_show)
        m_show(m_results[rule]);
    accept();
}
