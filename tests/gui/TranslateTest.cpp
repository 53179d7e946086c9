// Translation of menus and dialogs on widgets, the Language menu of the main
// window, and the character-filtered edit boxes.
#include "GuiTestSupport.h"

#include "app/AppResources.h"
#include "app/CDlgFind.h"
#include "app/CMainFrame.h"
#include "app/CallsModel.h"
#include "app/Commands.h"
#include "core/IniProfile.h"
#include "core/Locale.h"
#include "lang/LanguageService.h"
#include "lang/gui/QtTranslate.h"
#include "ui/CharFilter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QtTest>

namespace {

// A program folder with the shipped base language file and German translation
// (or without them), its INI file and the language service started on it.
struct LanguageHome
{
    explicit LanguageHome(bool withLanguageFiles = true)
    {
        if (withLanguageFiles)
            for (const char* name : {"quantorix.lna", "Deutsch.lng"})
                std::filesystem::copy_file(std::filesystem::path(QX_PROGRAM_DIR) / name, home / name);
        service.install();
        service.start();
    }
    TestHome home;
    IniProfile ini{home / "quantorix.ini"};
    LanguageService service{home.folder(), &ini};
};

QAction* topMenu(QMenuBar& bar, int index) { return bar.actions().value(index); }

} // namespace

class TranslateTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        Locale::pin("en_US");
        appres::registerResources();
    }

    void menusFollowTheLanguage()
    {
        LanguageHome folder;
        LanguageService& service = folder.service;
        QVERIFY(service.translationAvailable());

        QMenuBar bar;
        QVERIFY(buildMenu(cmd::kMainMenu, &bar));
        QCOMPARE(topMenu(bar, 0)->text(), QStringLiteral("&File"));
        QAction* open = findCommand(&bar, cmd::kOpen);
        QVERIFY(open);
        QCOMPARE(open->text(), QStringLiteral("&Open...\tCtrl+O")); // the shortcut after a tab, shown right-aligned

        const int german = [&] {
            for (const auto& language : service.menuLanguages())
                if (language.name == "Deutsch")
                    return language.number;
            return -1;
        }();
        QVERIFY(german > 0);
        QVERIFY(service.SelectLanguage(german));
        TranslateMenu(cmd::kMainMenu, &bar);
        QCOMPARE(topMenu(bar, 0)->text(), QStringLiteral("&Datei"));
        QCOMPARE(open->text(), QString::fromUtf8("Ö&ffnen...\tStrg+O"));
        QCOMPARE(findCommand(&bar, cmd::kFindNext)->text(), QStringLiteral("&Weitersuchen\tF3"));

        // The context menu is the first pop-up of its resource; its keys count that pop-up.
        QMenu context;
        QVERIFY(buildPopupMenu(cmd::kContextMenu, &context));
        QCOMPARE(context.actions().value(1)->text(), QStringLiteral("Schnellfilter"));
        QVERIFY(findCommand(&context, cmd::kQuickExtension)->text() != QStringLiteral("Extension"));

        QVERIFY(service.SelectLanguage(0)); // back to the built-in texts
        TranslateMenu(cmd::kMainMenu, &bar);
        QCOMPARE(open->text(), QStringLiteral("&Open...\tCtrl+O"));
    }

    void dialogsTakeTheirTexts()
    {
        CDlgFind dialog({QStringLiteral("12*"), true, false}, {"555", "777"});
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Find dialed number"));
        bool exactFound = false;
        for (QWidget* child : dialog.findChildren<QWidget*>())
            if (controlIdOf(child) == appres::kFindExact)
                exactFound = qobject_cast<QAbstractButton*>(child)->text() == QStringLiteral("&Exact match");
        QVERIFY(exactFound);
        QCOMPARE(dialog.request().number, QStringLiteral("12*"));
        QVERIFY(dialog.request().fromCursor);
        QCOMPARE(dialog.numberBox()->count(), 2);
        QCOMPARE(dialogText(appres::kAboutDialog, appres::kAboutVersion), QStringLiteral("Version 2.3"));
    }

    void filteredEditDropsOtherCharacters()
    {
        CFilterEdit edit(CharSetValidator::dialedNumberChars());
        edit.show();
        QTest::keyClicks(&edit, QStringLiteral("12a3*b"));
        QCOMPARE(edit.text(), QStringLiteral("123*"));
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.text(), QStringLiteral("123"));
        QApplication::clipboard()->setText(QStringLiteral("45x"));
        edit.paste();
        QCOMPARE(edit.text(), QStringLiteral("123")); // a paste with any character outside the set inserts nothing
        QApplication::clipboard()->setText(QStringLiteral("4*5"));
        edit.paste();
        QCOMPARE(edit.text(), QStringLiteral("1234*5"));

        CFilterEdit ranges(CharSetValidator::rangeListChars());
        QTest::keyClicks(&ranges, QStringLiteral("100-199, 205"));
        QCOMPARE(ranges.text(), QStringLiteral("100-199,205"));
    }

    void languageMenuOfTheMainWindow()
    {
        LanguageHome folder;
        LanguageService& service = folder.service;
        IniProfile& ini = folder.ini;
        CMainFrame frame(folder.home.folder(), ini);
        QVERIFY(frame.loadSettings());
        QAction* english = findCommand(frame.menuBar(), cmd::kLanguageFirst);
        QVERIFY(english);
        QVERIFY(english->isChecked());
        frame.resetToNoFiles();
        frame.openFiles({folder.home.writeRecords("lang.bsl", {makeCall("0099912345")})});
        QCOMPARE(frame.model()->data(frame.model()->index(0, 4)).toString(), QStringLiteral("Unknown"));
        const int german = service.languageCount() - 1;
        frame.runCommand(cmd::kLanguageFirst + german);
        // The list's texts come from the new language (the columns were made anew).
        QCOMPARE(frame.model()->data(frame.model()->index(0, 4)).toString(), QStringLiteral("Unbekannt"));
        QCOMPARE(service.currentName(), std::string("Deutsch"));
        QCOMPARE(frame.menuBar()->actions().value(0)->text(), QStringLiteral("&Datei"));
        QVERIFY(findCommand(frame.menuBar(), cmd::kLanguageFirst + german)->isChecked());
        QCOMPARE(frame.model()->headerData(3, Qt::Horizontal).toString(), QString::fromUtf8("Gewählte Nummer"));
        QCOMPARE(ini.readString("Language", "Brisel"), std::string("Deutsch"));
        // Qt's own dialogs follow: its translation for the language is loaded, and dropped again.
        const bool qtGerman = QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath)
                                            + QStringLiteral("/qtbase_de.qm"));
        if (qtGerman)
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
        frame.runCommand(cmd::kLanguageFirst);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
        if (!qtGerman)
            QSKIP("Qt's translations are not installed (scripts/install-deps)");
    }

    void noLanguageMenuWithoutBaseFile()
    {
        LanguageHome folder(false);
        CMainFrame frame(folder.home.folder(), folder.ini);
        QAction* newTranslation = findCommand(frame.menuBar(), cmd::kNewTranslation);
        QVERIFY(newTranslation);
        QMenu* languages = qobject_cast<QMenu*>(newTranslation->associatedObjects().value(0));
        QVERIFY(languages);
        QVERIFY(!languages->menuAction()->isVisible());
    }
};

QTEST_MAIN(TranslateTest)
#include "TranslateTest.moc"
