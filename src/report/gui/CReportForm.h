#pragma once
// The report window: the written report file in an HTML view, with a toolbar
// for printing, preview, saving (as HTML or PDF), opening the file in the web
// browser, page setup, page numbers, help and closing. The page setup and the
// page numbers are those of INI section "PageSettings", the window's place
// that of "ReportLayout". A report too large to lay out at once shows its
// first part with a line that says so; the file itself stays whole.

#include "report/print/ReportPrint.h"

#include <QDialog>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <map>

class IniProfile;
class QAction;
class QLabel;
class QPrinter;
class QTextBrowser;
class QToolBar;

class CReportForm : public QDialog
{
    Q_OBJECT
public:
    // Toolbar commands beside the ones of the string table.
    static constexpr int kPageNumbers = 11001, kPrint = 11002, kPreview = 11003, kSave = 11004, kPageSetup = 11005,
                         kClose = 11006, kSavePdf = 11007, kOpenInBrowser = 11101, kHelp = 57666;
    // A report longer than this shows only its first this many bytes: a table
    // of a thousand rows takes the view seconds to lay out.
    static constexpr std::size_t kShownLimit = 96u << 10;
    // Another limit (benchmarks, tests); 0 restores kShownLimit.
    static void setShownLimit(std::size_t bytes);

    CReportForm(std::filesystem::path file, IniProfile& ini, QWidget* parent = nullptr);

    // Shows the window modally; true when the user opened the file in the browser.
    static bool showModal(const std::filesystem::path& file, IniProfile& ini, QWidget* parent);

    void runCommand(int id);
    QAction* action(int id) const;
    bool openedInBrowser() const { return m_openedInBrowser; }
    QTextBrowser* browser() const { return m_browser; }
    // The notice over a report shown in part; hidden for a whole one.
    QLabel* partNotice() const { return m_notice; }
    const PageSettings& pageSettings() const { return m_page; }

    // Seams of the dialogs the window opens (tests); empty restores the real one.
    // The print dialog: false cancels.
    static void setPrintDialog(std::function<bool(QPrinter&)> dialog);
    // The save dialog: the chosen file, empty for Cancel; `pdfOnly` for "Save as PDF".
    static void setSaveDialog(std::function<QString(bool pdfOnly)> dialog);
    // The web browser: whether it opened the URL.
    static void setUrlOpener(std::function<bool(const QUrl&)> opener);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    void createToolBar();
    void load();
    void placeWindow();
    void saveLayout();
    void print();
    void preview();
    void save(bool pdfOnly);
    bool writePdf(const std::filesystem::path& pdf);
    void pageSetup();
    void pageNumbers();
    void openInBrowser();
    void paint(QPrinter& printer);

    std::filesystem::path m_file;
    IniProfile& m_ini;
    PageSettings m_page;
    QToolBar* m_toolBar;
    QLabel* m_notice;
    QTextBrowser* m_browser;
    std::map<int, QAction*> m_actions;
    bool m_openedInBrowser = false;
};
