#include "lang/gui/CDlgTranslation.h"

#include "core/Cp1252.h"
#include "lang/LanguageKeys.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "ui/HelpOpener.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdHelp = 9;

// The list's icons: the kind of text (menu, dialog, string) on a coloured
// tile; an untranslated text shows its tile hollow with a red corner.
QIcon kindIcon(langkey::Kind kind, bool translated)
{
    static const struct
    {
        char letter;
        QColor colour;
    } looks[] = {{'M', QColor(0x2e, 0x6d, 0xb4)},
                 {'D', QColor(0x3a, 0x8a, 0x3a)},
                 {'S', QColor(0x8a, 0x5a, 0x2a)},
                 {'?', Qt::gray}};
    const auto& look = looks[static_cast<int>(kind)];
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (translated) {
        painter.setBrush(look.colour);
        painter.setPen(Qt::NoPen);
    } else {
        painter.setBrush(Qt::white);
        painter.setPen(QPen(look.colour, 1.5));
    }
    painter.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
    QFont font = painter.font();
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(translated ? Qt::white : look.colour);
    painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString(QChar::fromLatin1(look.letter)));
    if (!translated) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xd0, 0x20, 0x20));
        painter.drawEllipse(QRectF(10, 0, 6, 6));
    }
    return QIcon(pixmap);
}

QLabel* labelFor(QWidget* buddy, int id, QWidget* parent)
{
    auto* label = new QLabel(parent);
    setControlId(label, id);
    label->setBuddy(buddy);
    return label;
}

} // namespace

CDlgTranslation::CDlgTranslation(const LanguageTable& base, const LanguageTable& edited, QWidget* parent)
    : QDialog(parent)
    , m_draft(base, edited)
{
    for (int kind = 0; kind < 4; ++kind)
        for (bool done : {true, false})
            m_icons.push_back(kindIcon(static_cast<langkey::Kind>(kind), done));
    m_baseTexts.reserve(m_draft.size());
    for (std::size_t line = 0; line < m_draft.size(); ++line)
        m_baseTexts.push_back(cp1252::toQString(m_draft.baseText(line)));

    m_find = new QLineEdit(this);
    m_find->setClearButtonEnabled(true);
    m_find->installEventFilter(this);
    m_untranslatedOnly = new QCheckBox(this);
    setControlId(m_untranslatedOnly, kUntranslatedOnly);

    m_list = new QListWidget(this);
    setControlId(m_list, kList);
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumWidth(230);
    m_count = new QLabel(this);
    setControlId(m_count, kCountLabel);

    m_original = new QPlainTextEdit(this);
    setControlId(m_original, kOriginal);
    m_original->setReadOnly(true);
    m_translation = new QPlainTextEdit(this);
    setControlId(m_translation, kTranslation);
    m_reset = new QPushButton(this);
    setControlId(m_reset, kReset);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    setControlId(buttons->button(QDialogButtonBox::Ok), kIdOk);
    setControlId(buttons->button(QDialogButtonBox::Cancel), kIdCancel);
    setControlId(help::addHelpButton(buttons, kTemplateId), kIdHelp);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgTranslation::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgTranslation::reject);

    auto* left = new QVBoxLayout;
    auto* findRow = new QHBoxLayout;
    findRow->addWidget(labelFor(m_find, kFindLabel, this));
    findRow->addWidget(m_find, 1);
    left->addLayout(findRow);
    left->addWidget(m_untranslatedOnly);
    left->addWidget(m_list, 1);
    left->addWidget(m_count);

    auto* right = new QVBoxLayout;
    right->addWidget(labelFor(m_original, kOriginalLabel, this));
    right->addWidget(m_original, 1);
    right->addWidget(labelFor(m_translation, kTranslationLabel, this));
    right->addWidget(m_translation, 1);
    auto* resetRow = new QHBoxLayout;
    resetRow->addStretch(1);
    resetRow->addWidget(m_reset);
    right->addLayout(resetRow);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 2);
    columns->addLayout(right, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(buttons);
    resize(760, 520);

    connect(m_list, &QListWidget::currentRowChanged, this, &CDlgTranslation::onRowChanged);
    connect(m_reset, &QPushButton::clicked, this, &CDlgTranslation::onReset);
    connect(m_find, &QLineEdit::textChanged, this, &CDlgTranslation::fillList);
    connect(m_untranslatedOnly, &QCheckBox::toggled, this, &CDlgTranslation::fillList);

    TranslateDialog(kTemplateId, this);
    fillList();
}

const QIcon& CDlgTranslation::lineIcon(std::size_t line) const
{
    const auto kind = static_cast<std::size_t>(langkey::kindOf(m_draft.key(line)));
    return m_icons[kind * 2 + (m_draft.translated(line) ? 0 : 1)];
}

int CDlgTranslation::lineOfRow(int row) const
{
    const QListWidgetItem* item = m_list->item(row);
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

void CDlgTranslation::fillList()
{
    storeCurrent();
    const QString needle = m_find->text().trimmed();
    const bool untranslatedOnly = m_untranslatedOnly->isChecked();
    const int keep = m_current;
    m_filling = true;
    m_list->clear();
    int keepRow = -1;
    for (std::size_t line = 0; line < m_draft.size(); ++line) {
        if (untranslatedOnly && m_draft.translated(line))
            continue;
        if (!needle.isEmpty() && !m_baseTexts[line].contains(needle, Qt::CaseInsensitive)
            && !(m_draft.translated(line)
                 && cp1252::toQString(m_draft.text(line)).contains(needle, Qt::CaseInsensitive)))
            continue;
        auto* item = new QListWidgetItem(lineIcon(line),
                                         cp1252::toQString(TranslationDraft::lineLabel(m_draft.baseText(line))));
        item->setData(Qt::UserRole, static_cast<int>(line));
        item->setToolTip(m_baseTexts[line]);
        m_list->addItem(item);
        if (static_cast<int>(line) == keep)
            keepRow = m_list->count() - 1;
    }
    m_filling = false;
    m_current = -1;
    const int row = keepRow >= 0 ? keepRow : (m_list->count() > 0 ? 0 : -1);
    m_list->setCurrentRow(row);
    if (row < 0)
        showLine(-1);
    else if (m_current < 0)
        onRowChanged(row);
    updateCount();
}

void CDlgTranslation::onRowChanged(int row)
{
    if (m_filling)
        return;
    storeCurrent();
    showLine(lineOfRow(row));
}

void CDlgTranslation::showLine(int line)
{
    m_current = line;
    const bool any = line >= 0;
    m_translation->setEnabled(any);
    m_reset->setEnabled(any);
    if (!any) {
        m_original->clear();
        m_translation->clear();
        return;
    }
    const auto index = static_cast<std::size_t>(line);
    m_original->setPlainText(m_baseTexts[index]);
    m_translation->setPlainText(cp1252::toQString(m_draft.shownText(index)));
}

void CDlgTranslation::storeCurrent()
{
    if (m_current < 0)
        return;
    const auto line = static_cast<std::size_t>(m_current);
    const bool was = m_draft.translated(line);
    m_draft.store(line, cp1252::fromQString(m_translation->toPlainText()));
    if (was != m_draft.translated(line)) {
        updateRow(m_current);
        updateCount();
    }
}

void CDlgTranslation::updateRow(int line)
{
    for (int row = 0; row < m_list->count(); ++row) {
        if (lineOfRow(row) == line) {
            m_list->item(row)->setIcon(lineIcon(static_cast<std::size_t>(line)));
            return;
        }
    }
}

void CDlgTranslation::updateCount()
{
    m_count->setText(qtText(LoadText(sid::kTranslatedCount)).arg(m_draft.translatedCount()).arg(m_draft.size()));
}

void CDlgTranslation::onReset()
{
    if (m_current < 0)
        return;
    const auto line = static_cast<std::size_t>(m_current);
    m_draft.reset(line);
    m_translation->setPlainText(cp1252::toQString(m_draft.shownText(line)));
    updateRow(m_current);
    updateCount();
}

bool CDlgTranslation::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_find && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_list->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CDlgTranslation::accept()
{
    storeCurrent();
    QDialog::accept();
}
