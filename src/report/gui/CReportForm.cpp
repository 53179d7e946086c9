#include "report/gui/CReportForm.h"

#include "core/IniProfile.h"
#include "lang/StringIds.h"
#include "lang/StringTable.h"
#include "lang/TextFormat.h"
#include "lang/gui/QtTranslate.h"
#include "report/gui/CDlgPageNumbers.h"
#include "report/gui/ReportGuiIds.h"
#include "ui/HelpOpener.h"
#include "ui/PageControls.h"

#include <QAction>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kLayoutSection = "ReportLayout";

std::function<bool(QPrinter&)> s_printDialog;
std::function<QString(bool)> s_saveDialog;
std::function<bool(const QUrl&)> s_urlOpener;
std::size_t s_shownLimit = CReportForm::kShownLimit;

struct ToolCommand
{
    int id;
    const char* themeIcon;
    QStyle::StandardPixmap fallback;
};

// The toolbar in its order; 0 is a separator.
constexpr ToolCommand kToolBar[] = {
    {CReportForm::kPrint, "document-print", QStyle::SP_ComputerIcon},
    {CReportForm::kPreview, "document-print-preview", QStyle::SP_FileDialogContentsView},
    {0, nullptr, QStyle::SP_CustomBase},
    {CReportForm::kSave, "document-save", QStyle::SP_DialogSaveButton},
    {CReportForm::kSavePdf, "document-export", QStyle::SP_DriveFDIcon},
    {CReportForm::kOpenInBrowser, "internet-web-browser", QStyle::SP_DirLinkIcon},
    {0, nullptr, QStyle::SP_CustomBase},
    {CReportForm::kPageSetup, "document-page-setup", QStyle::SP_FileDialogDetailedView},
    {CReportForm::kPageNumbers, "format-list-ordered", QStyle::SP_FileDialogListView},
    {0, nullptr, QStyle::SP_CustomBase},
    {CReportForm::kHelp, "help-contents", QStyle::SP_DialogHelpButton},
    {0, nullptr, QStyle::SP_CustomBase},
    {CReportForm::kClose, "window-close", QStyle::SP_DialogCloseButton},
};

QString megabytes(std::uintmax_t bytes)
{
    return QString::number(static_cast<double>(bytes) / (1024.0 * 1024.0), 'f', 1);
}

QString fileFilter(int nameId, const char* patterns)
{
    return controlText(LoadText(nameId)) + QStringLiteral(" (") + QLatin1String(patterns) + QLatin1Char(')');
}

bool isPdfName(const fs::path& path)
{
    std::string extension = path.extension().string();
    for (char& c : extension)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return extension == ".pdf";
}

} // namespace

CReportForm::CReportForm(fs::path file, IniProfile& ini, QWidget* parent)
    : QDialog(parent)
    , m_file(std::move(file))
    , m_ini(ini)
    , m_page(PageSettings::load(ini))
{
    rptres::registerResources();
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(true);
    m_page.applyPageNumbers();
    m_toolBar = new QToolBar(this);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    createToolBar();
    m_notice = new QLabel(this);
    m_notice->setWordWrap(true);
    m_notice->setFrameShape(QFrame::StyledPanel);
    m_notice->setStyleSheet(QStringLiteral("QLabel { background: #fff4c2; color: black; padding: 4px; }"));
    m_notice->hide();
    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_notice);
    layout->addWidget(m_browser, 1);
    TranslateDialog(rptres::kReportWindow, this);
    const QFontMetrics metrics(font());
    setMinimumSize(metrics.averageCharWidth() * 50 / 4 * 4, metrics.height() * 100 / 8 / 8 * 8);
    load();
    placeWindow();
}

bool CReportForm::showModal(const fs::path& file, IniProfile& ini, QWidget* parent)
{
    CReportForm form(file, ini, parent);
    form.exec();
    return form.openedInBrowser();
}

void CReportForm::createToolBar()
{
    for (const ToolCommand& command : kToolBar) {
        if (command.id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        const int textId = command.id == kHelp ? sid::kCmdHelpTopics : command.id;
        const QIcon icon = QIcon::fromTheme(QLatin1String(command.themeIcon), style()->standardIcon(command.fallback));
        QAction* action = m_toolBar->addAction(icon, controlText(LoadTextTip(textId)));
        action->setToolTip(controlText(LoadTextTip(textId)));
        action->setStatusTip(controlText(LoadTextPrompt(textId)));
        const int id = command.id;
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
        m_actions[id] = action;
    }
}

QAction* CReportForm::action(int id) const
{
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CReportForm::load()
{
    std::error_code error;
    const std::uintmax_t size = fs::file_size(m_file, error);
    QFile file(QString::fromStdString(m_file.string()));
    QByteArray bytes;
    if (!error && file.open(QIODevice::ReadOnly))
        bytes = file.read(static_cast<qint64>(s_shownLimit));
    // Only the first part of a very long report: up to its last whole line.
    const bool part = !error && size > s_shownLimit;
    if (part) {
        const qsizetype lineEnd = bytes.lastIndexOf('\n');
        if (lineEnd > bytes.size() / 2)
            bytes.truncate(lineEnd + 1);
        bytes.append("</table></body></html>\n");
        m_notice->setText(
            controlText(FormatInserts(LoadText(sid::kReportPartShown),
                                      {megabytes(size).toStdString(),
                                       megabytes(static_cast<std::uintmax_t>(bytes.size())).toStdString()})));
    }
    m_notice->setVisible(part);
    m_browser->document()->setBaseUrl(
        QUrl::fromLocalFile(QString::fromStdString(m_file.parent_path().string()) + QLatin1Char('/')));
    m_browser->setHtml(reportHtml(bytes));
}

void CReportForm::placeWindow()
{
    const QScreen* screen = this->screen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QRect stored(m_ini.readInt(kLayoutSection, "Left", work.left()),
                       m_ini.readInt(kLayoutSection, "Top", work.top()),
                       m_ini.readInt(kLayoutSection, "Width", work.width()),
                       m_ini.readInt(kLayoutSection, "Height", work.height()));
    if (stored.width() > 0 && stored.height() > 0)
        setGeometry(stored);
    if (m_ini.readInt(kLayoutSection, "Maximized", 1) != 0)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void CReportForm::saveLayout()
{
    const QRect normal = isMaximized() && normalGeometry().isValid() ? normalGeometry() : geometry();
    m_ini.writeInt(kLayoutSection, "Left", normal.left());
    m_ini.writeInt(kLayoutSection, "Top", normal.top());
    m_ini.writeInt(kLayoutSection, "Width", normal.width());
    m_ini.writeInt(kLayoutSection, "Height", normal.height());
    m_ini.writeInt(kLayoutSection, "Maximized", isMaximized() ? 1 : 0);
    m_page.save(m_ini);
}

void CReportForm::done(int result)
{
    saveLayout();
    QDialog::done(result);
}

void CReportForm::keyPressEvent(QKeyEvent* event)
{
    // Escape does not close the report; Close does.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CReportForm::runCommand(int id)
{
    switch (id) {
    case kPrint:
        print();
        break;
    case kPreview:
        preview();
        break;
    case kSave:
        save(false);
        break;
    case kSavePdf:
        save(true);
        break;
    case kOpenInBrowser:
        openInBrowser();
        break;
    case kPageSetup:
        pageSetup();
        break;
    case kPageNumbers:
        pageNumbers();
        break;
    case kHelp:
        help::openHelp(this, rptres::kReportWindow);
        break;
    case kClose:
        accept();
        break;
    default:
        break;
    }
}

void CReportForm::paint(QPrinter& printer)
{
    const std::unique_ptr<QTextDocument> document(m_browser->document()->clone());
    printDocument(*document, printer, m_page);
}

void CReportForm::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_page.pageLayout());
    printer.setDocName(QString::fromStdString(m_file.filename().string()));
    bool go = false;
    if (s_printDialog) {
        go = s_printDialog(printer);
    } else {
        QPrintDialog dialog(&printer, this);
        go = dialog.exec() == QDialog::Accepted;
    }
    if (go)
        paint(printer);
}

void CReportForm::preview()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_page.pageLayout());
    QPrintPreviewDialog dialog(&printer, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* shown) { paint(*shown); });
    dialog.exec();
    m_page.setPageLayout(printer.pageLayout());
    m_page.applyPageNumbers();
}

void CReportForm::pageSetup()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_page.pageLayout());
    QPageSetupDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        m_page.setPageLayout(printer.pageLayout());
    m_page.applyPageNumbers();
}

void CReportForm::pageNumbers()
{
    CDlgPageNumbers dialog(m_page, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_page = dialog.chosen(m_page);
    m_page.save(m_ini);
}

void CReportForm::openInBrowser()
{
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(m_file.string()));
    if (s_urlOpener ? s_urlOpener(url) : QDesktopServices::openUrl(url))
        m_openedInBrowser = true;
}

void CReportForm::save(bool pdfOnly)
{
    const QString pdfFilter = fileFilter(sid::kFileTypePdf, "*.pdf");
    QString chosenFilter = pdfOnly ? pdfFilter : QString();
    QString name;
    if (s_saveDialog) {
        name = s_saveDialog(pdfOnly);
    } else {
        fs::path suggested = m_file;
        if (pdfOnly)
            suggested.replace_extension(".pdf");
        const QString filters = pdfOnly ? pdfFilter
                                        : fileFilter(sid::kFileTypeWebPage, "*.htm *.html") + QStringLiteral(";;")
                                              + pdfFilter;
        name = QFileDialog::getSaveFileName(this, QString(), QString::fromStdString(suggested.string()), filters,
                                            &chosenFilter);
    }
    if (name.isEmpty())
        return;
    fs::path target(name.toStdString());
    const bool pdf = pdfOnly || chosenFilter == pdfFilter || isPdfName(target);
    if (!target.has_extension())
        target += pdf ? fs::path(".pdf") : m_file.extension();
    bool saved = false;
    if (pdf) {
        saved = writePdf(target);
    } else {
        std::error_code error;
        if (fs::equivalent(target, m_file, error))
            return;
        // The whole file, never only the part shown, through a temporary copy.
        fs::path temporary = target;
        temporary += ".tmp";
        saved = fs::copy_file(m_file, temporary, fs::copy_options::overwrite_existing, error) && !error;
        if (saved)
            fs::rename(temporary, target, error);
        saved = saved && !error;
        if (!saved)
            fs::remove(temporary, error);
    }
    if (!saved)
        MessageById(sid::kErrorSavingFile, mb::kOk | mb::kIconStop, {PathText(target)});
}

bool CReportForm::writePdf(const fs::path& pdf)
{
    const std::unique_ptr<QTextDocument> document(m_browser->document()->clone());
    return writeDocumentPdf(*document, pdf, m_page);
}

void CReportForm::setPrintDialog(std::function<bool(QPrinter&)> dialog) { s_printDialog = std::move(dialog); }
void CReportForm::setSaveDialog(std::function<QString(bool)> dialog) { s_saveDialog = std::move(dialog); }
void CReportForm::setShownLimit(std::size_t bytes) { s_shownLimit = bytes ? bytes : kShownLimit; }
void CReportForm::setUrlOpener(std::function<bool(const QUrl&)> opener) { s_urlOpener = std::move(opener); }
