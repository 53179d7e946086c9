// The translation editor and its two commands on a test program folder, and
// the help: every Help button leads to an anchor that the help files have.
#include "GuiTestSupport.h"

#include "app/AppResources.h"
#include "app/CMainFrame.h"
#include "app/Commands.h"
#include "core/IniProfile.h"
#include "core/Locale.h"
#include "lang/HelpTopics.h"
#include "lang/LanguageKeys.h"
#include "lang/LanguageService.h"
#include "lang/Resources.h"
#include "lang/gui/CDlgTranslation.h"
#include "lang/gui/QtTranslate.h"
#include "lang/gui/TranslationCommands.h"
#include "ui/HelpOpener.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

#include <functional>
#include <set>

namespace {

namespace fs = std::filesystem;

void copyLanguageFiles(const TestHome& home)
{
    for (const char* name : {"quantorix.lna", "Deutsch.lng"})
        fs::copy_file(fs::path(QX_PROGRAM_DIR) / name, home / name);
}

// Drives the translation editor once it is open (the command runs it modally).
void whenEditorOpens(std::function<void(CDlgTranslation&)> drive, int attempts = 50)
{
    QTimer::singleShot(20, [drive, attempts] {
        if (auto* dialog = qobject_cast<CDlgTranslation*>(QApplication::activeModalWidget()))
            drive(*dialog);
        else if (attempts > 0)
            whenEditorOpens(drive, attempts - 1);
    });
}

int rowOfKey(const CDlgTranslation& dialog, std::uint32_t key)
{
    for (int row = 0; row < dialog.list()->count(); ++row)
        if (dialog.draft().key(static_cast<std::size_t>(dialog.lineOfRow(row))) == key)
            return row;
    return -1;
}

void type(CDlgTranslation& dialog, int row, const QString& text)
{
    dialog.list()->setCurrentRow(row);
    dialog.translation()->setPlainText(text);
}

std::size_t lineAt(const CDlgTranslation& dialog, int row) { return static_cast<std::size_t>(dialog.lineOfRow(row)); }

const std::uint32_t kOpenKey = langkey::menuKey(cmd::kMainMenu, 1, cmd::kOpen);

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

class TranslationEditorTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        Locale::pin("en_US");
        appres::registerResources();
    }

    void editorStoresResetsAndFilters()
    {
        TestHome home;
        copyLanguageFiles(home);
        IniProfile ini(home / "quantorix.ini");
        LanguageService service(home.folder(), &ini);
        service.install();
        service.start();

        CDlgTranslation dialog(service.baseTable(), LanguageTable());
        dialog.show();
        QCOMPARE(static_cast<std::size_t>(dialog.list()->count()), service.baseTable().size());
        const std::size_t first = lineAt(dialog, 0);
        QCOMPARE(dialog.translation()->toPlainText(),
                 qtText(dialog.draft().baseText(first))); // untranslated: the base text

        // The base text typed unchanged stays untranslated; blanks too.
        type(dialog, 0, qtText(dialog.draft().baseText(first)));
        type(dialog, 1, QStringLiteral("  \n "));
        type(dialog, 2, QStringLiteral("Zweiter\nText"));
        dialog.list()->setCurrentRow(3);
        QVERIFY(!dialog.draft().translated(first));
        QVERIFY(!dialog.draft().translated(lineAt(dialog, 1)));
        QCOMPARE(dialog.draft().text(lineAt(dialog, 2)), std::string("Zweiter\nText"));

        // Back on the translated line: its text; Reset shows the base text and marks it untranslated.
        dialog.list()->setCurrentRow(2);
        QCOMPARE(dialog.translation()->toPlainText(), QStringLiteral("Zweiter\nText"));
        dialog.resetButton()->click();
        QCOMPARE(dialog.translation()->toPlainText(), qtText(dialog.draft().baseText(lineAt(dialog, 2))));
        dialog.list()->setCurrentRow(0);
        QCOMPARE(dialog.draft().translatedCount(), std::size_t{0});

        // The find box narrows the list; "Show only untranslated" hides what is done.
        QTest::keyClicks(dialog.findBox(), QStringLiteral("open"));
        QTest::keyClick(dialog.findBox(), Qt::Key_Return); // narrows, does not close
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.list()->count() > 0 && dialog.list()->count() < 100);
        for (int row = 0; row < dialog.list()->count(); ++row)
            QVERIFY(qtText(dialog.draft().baseText(lineAt(dialog, row)))
                        .contains(QStringLiteral("open"), Qt::CaseInsensitive));
        const int before = dialog.list()->count();
        const std::size_t done = lineAt(dialog, 0);
        type(dialog, 0, QStringLiteral("Öffnen"));
        dialog.untranslatedOnly()->setChecked(true);
        QCOMPARE(dialog.list()->count(), before - 1);
        QVERIFY(dialog.draft().translated(done));
        dialog.findBox()->setText(QStringLiteral("no text has this"));
        QCOMPARE(dialog.list()->count(), 0);
        QVERIFY(!dialog.translation()->isEnabled());

        dialog.accept();
        const LanguageTable table = dialog.table();
        QCOMPARE(table.size(), std::size_t{1});
        QCOMPARE(qtText(*table.find(dialog.draft().key(done))), QStringLiteral("Öffnen"));

        QCOMPARE(TranslationDraft::lineLabel("Exactly twenty-five chars"), std::string("Exactly twenty-five chars"));
        QCOMPARE(TranslationDraft::lineLabel("Twenty-six characters long"), std::string("Twenty-six characters l..."));
        QCOMPARE(TranslationDraft::lineLabel("First line\nsecond"), std::string("First line"));
    }

    void newTranslationShowsInTheMenuAndSurvivesARestart()
    {
        TestHome home;
        copyLanguageFiles(home);
        MessageLog messages;
        int chooserCalls = 0;
        translation::setFileChooser([&](QWidget*) {
            ++chooserCalls;
            return QString::fromStdString((home / "Italiano.lng").string());
        });
        {
            IniProfile ini(home / "quantorix.ini");
            LanguageService service(home.folder(), &ini);
            service.install();
            service.start();
            CMainFrame frame(home.folder(), ini);
            QVERIFY(frame.loadSettings());
            QVERIFY(frame.isCommandEnabled(cmd::kNewTranslation));
            QVERIFY(!frame.isCommandEnabled(cmd::kEditTranslation)); // the built-in language

            // OK without any translated text: nothing is asked or written.
            whenEditorOpens([](CDlgTranslation& dialog) { dialog.accept(); });
            frame.runCommand(cmd::kNewTranslation);
            QCOMPARE(chooserCalls, 0);
            QVERIFY(!fs::exists(home / "Italiano.lng"));
            QCOMPARE(service.currentNumber(), 0);

            whenEditorOpens([](CDlgTranslation& dialog) {
                type(dialog, rowOfKey(dialog, kOpenKey), QStringLiteral("&Apri...\\tCtrl+O"));
                dialog.accept();
            });
            frame.runCommand(cmd::kNewTranslation);
            QCOMPARE(chooserCalls, 1);
            QVERIFY(fs::exists(home / "Italiano.lng"));
            QCOMPARE(service.currentName(), std::string("Italiano"));
            QCOMPARE(findCommand(frame.menuBar(), cmd::kOpen)->text(), QStringLiteral("&Apri...\tCtrl+O"));
            QVERIFY(findCommand(frame.menuBar(), cmd::kLanguageFirst + service.currentNumber())->isChecked());
            QVERIFY(frame.isCommandEnabled(cmd::kEditTranslation));
        }
        // The next start comes up in the new language.
        IniProfile ini(home / "quantorix.ini");
        LanguageService service(home.folder(), &ini);
        service.install();
        service.start();
        CMainFrame frame(home.folder(), ini);
        QVERIFY(frame.loadSettings());
        QCOMPARE(findCommand(frame.menuBar(), cmd::kOpen)->text(), QStringLiteral("&Apri...\tCtrl+O"));
        QVERIFY(messages.shown().empty());
        translation::setFileChooser({});
    }

    void editTranslationRewritesTheCurrentLanguage()
    {
        TestHome home;
        copyLanguageFiles(home);
        MessageLog messages;
        IniProfile ini(home / "quantorix.ini");
        LanguageService service(home.folder(), &ini);
        service.install();
        service.start();
        CMainFrame frame(home.folder(), ini);
        QVERIFY(frame.loadSettings());
        frame.runCommand(cmd::kLanguageFirst + 1); // Deutsch
        QCOMPARE(service.currentName(), std::string("Deutsch"));
        QVERIFY(frame.isCommandEnabled(cmd::kEditTranslation));
        const std::size_t texts = service.currentTable().size();

        whenEditorOpens([](CDlgTranslation& dialog) {
            const int row = rowOfKey(dialog, kOpenKey);
            QVERIFY(dialog.draft().translated(lineAt(dialog, row))); // the German text is there to correct
            type(dialog, row, QStringLiteral("Ö&ffnen…\\tStrg+O"));
            dialog.accept();
        });
        frame.runCommand(cmd::kEditTranslation);
        QCOMPARE(findCommand(frame.menuBar(), cmd::kOpen)->text(), QString::fromUtf8("Ö&ffnen…\tStrg+O"));
        LanguageTable written;
        QCOMPARE(readLanguageFile(home / "Deutsch.lng", written), LanguageFileResult::Ok);
        QCOMPARE(written.size(), texts);
        QVERIFY(messages.shown().empty());

        // A file that cannot be written: message 25172, and the editor comes back with what was typed.
        fs::remove(home / "Deutsch.lng");
        fs::create_directory(home / "Deutsch.lng");
        QString reopenedWith;
        whenEditorOpens([&](CDlgTranslation& dialog) {
            whenEditorOpens([&](CDlgTranslation& again) {
                again.list()->setCurrentRow(rowOfKey(again, kOpenKey));
                reopenedWith = again.translation()->toPlainText();
                again.reject();
            });
            type(dialog, rowOfKey(dialog, kOpenKey), QStringLiteral("&Laden..."));
            dialog.accept();
        });
        frame.runCommand(cmd::kEditTranslation);
        QVERIFY(messages.has(25172));
        QCOMPARE(reopenedWith, QStringLiteral("&Laden..."));

        frame.session().setLoginLevel(1); // Supervisor: both commands need the Administrator
        QVERIFY(!frame.isCommandEnabled(cmd::kEditTranslation));
        QVERIFY(!frame.isCommandEnabled(cmd::kNewTranslation));
    }

    void helpButtonsOpenTheirSection()
    {
        TestHome home;
        copyLanguageFiles(home);
        for (const char* name : {"English.html", "Deutsch.html"})
            fs::copy_file(fs::path(QX_PROGRAM_DIR) / name, home / name);
        IniProfile ini(home / "quantorix.ini");
        LanguageService service(home.folder(), &ini);
        service.install();
        service.start();
        std::vector<help::HelpRequest> opened;
        help::setHelpViewer([&](const help::HelpRequest& request) { opened.push_back(request); });

        CDlgTranslation dialog(service.baseTable(), LanguageTable());
        QPushButton* button = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help);
        QCOMPARE(controlIdOf(button), 9);
        button->click();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(&dialog, Qt::Key_F1);
        CMainFrame frame(home.folder(), ini);
        QVERIFY(frame.loadSettings());
        frame.runCommand(cmd::kLanguageFirst + 1);
        QCOMPARE(dialog.windowTitle(), QString::fromUtf8("Übersetzung bearbeiten")); // open windows follow the language
        frame.runCommand(cmd::kHelpTopics);
        QCOMPARE(opened.size(), std::size_t{3});
        QCOMPARE(opened[0].file, home / "English.html");
        QCOMPARE(opened[0].anchor, std::string("dialog-208"));
        QCOMPARE(opened[1].anchor, std::string("dialog-208")); // F1
        QCOMPARE(opened[2].file, home / "Deutsch.html");       // the language's own help file
        QCOMPARE(opened[2].anchor, std::string(help::kContentsAnchor));
        help::setHelpViewer({});
    }

    // Every dialog with a Help button and every property page, as the resource
    // files of the source tree and the program's registry have them, has its
    // section in each help file; so has every help topic and the contents.
    void everyHelpAnchorExists()
    {
        std::set<int> templates;
        const auto collect = [&](const DialogTemplate& dialog) {
            const bool helpButton = std::any_of(dialog.controls.begin(), dialog.controls.end(),
                                                [](const DialogControl& c) { return c.id == 9; });
            if (dialog.page || helpButton)
                templates.insert(dialog.id);
        };
        for (const auto& entry : fs::recursive_directory_iterator(QX_SOURCE_DIR)) {
            if (entry.path().extension() != ".qxr" || entry.path().parent_path().filename() == "de")
                continue;
            ResourceSet set;
            std::string error;
            QVERIFY2(parseResourceText(readFile(entry.path()), set, &error), error.c_str());
            std::for_each(set.dialogs.begin(), set.dialogs.end(), collect);
        }
        for (const DialogTemplate& dialog : ResourceRegistry::global().dialogs())
            collect(dialog);
        QVERIFY(templates.count(CDlgTranslation::kTemplateId));

        std::set<std::string> anchors = {help::kContentsAnchor};
        for (int id : templates)
            anchors.insert(help::anchorFor(id));
        for (const help::TemplateTopic& topic : help::templateTopics())
            anchors.insert(help::topicAnchor(topic.topic));
        for (const char* file : {"English.html", "Deutsch.html"}) {
            const std::string html = readFile(fs::path(QX_PROGRAM_DIR) / file);
            QVERIFY2(!html.empty(), file);
            for (const std::string& anchor : anchors) {
                const std::string wanted = "name=\"" + anchor + "\"";
                QVERIFY2(html.find(wanted) != std::string::npos, (std::string(file) + " lacks " + wanted).c_str());
            }
        }
    }

    // For scripts/screenshot-check: with QX_SCREENSHOT_DIR set, the editor on
    // the German translation and the help window are saved as pictures there.
    void screenshots()
    {
        const QByteArray folder = qgetenv("QX_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("QX_SCREENSHOT_DIR is not set");
        TestHome home;
        copyLanguageFiles(home);
        for (const auto& entry : fs::directory_iterator(QX_PROGRAM_DIR)) {
            const std::string name = entry.path().filename().string();
            if (name == "English.html" || name.rfind("help-", 0) == 0)
                fs::copy_file(entry.path(), home / name);
        }
        IniProfile ini(home / "quantorix.ini");
        LanguageService service(home.folder(), &ini);
        service.install();
        service.start();
        service.selectLanguageByName("Deutsch");

        CDlgTranslation dialog(service.baseTable(), service.currentTable());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.list()->setCurrentRow(rowOfKey(dialog, kOpenKey));
        QTest::qWait(200);
        QVERIFY(dialog.grab().save(QString::fromUtf8(folder) + QStringLiteral("/translation-editor.png")));

        service.selectLanguageByName("");
        help::openHelp(&dialog, CDlgTranslation::kTemplateId);
        QWidget* helpWindow = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window != &dialog && window->isVisible() && window->findChild<QTextBrowser*>())
                helpWindow = window;
        QVERIFY(helpWindow);
        QVERIFY(QTest::qWaitForWindowExposed(helpWindow));
        QTest::qWait(200);
        QVERIFY(helpWindow->grab().save(QString::fromUtf8(folder) + QStringLiteral("/help.png")));
    }
};

QTEST_MAIN(TranslationEditorTest)
#include "TranslationEditorTest.moc"
