// "Explain cost..." on a call of the demo data: Ctrl+E on the selected row opens
// the dialog, which names the call's destination and its cost in the currency
// format, and "Copy" puts the text on the clipboard. With QX_EXPLAIN_SHOT set,
// the dialog is also saved there as a picture (scripts/screenshot-check).
#include "GuiTestSupport.h"
#include "app/AppResources.h"
#include "app/CDlgExplainCost.h"
#include "app/CMainFrame.h"
#include "app/CallsView.h"
#include "app/Commands.h"
#include "core/Cp1252.h"
#include "core/DebugLog.h"
#include "core/Locale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QtTest>

class ExplainCostTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        Locale::pin("en_US");
        appres::registerResources();
    }

    void ctrlEExplainsTheSelectedDemoCall()
    {
        TestHome home;
        MessageLog messages;
        IniProfile ini(home / "quantorix.ini");
        debuglog::setProgramFolder(home.folder());
        CMainFrame frame(home.folder(), ini);
        frame.resize(1000, 600);
        QVERIFY(frame.loadSettings());
        frame.resetToNoFiles();
        std::filesystem::path demo;
        for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(QX_PROGRAM_DIR) / "Calls"))
            if (e.path().extension() == ".bsl" && (demo.empty() || e.path() < demo))
                demo = e.path();
        QVERIFY(frame.openFiles({demo}));
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame)); // the shortcut works in the active window

        // The first row of a priced call to a destination.
        const CallSession& calls = frame.session().calls();
        int row = -1;
        for (std::size_t r = 0; r < calls.visible().size() && row < 0; ++r)
            if (calls.visibleCall(r).destinationIndex >= 0 && calls.visibleCall(r).cost > 0.0)
                row = static_cast<int>(r);
        QVERIFY(row >= 0);
        const CallRecord& call = calls.visibleCall(static_cast<std::size_t>(row));
        const SettingsDatabase& settings = frame.session().settings();
        const QString destination = QString::fromStdString(
            cp1252::toUtf8(settings.destinationText(call.destinationIndex)));
        const QString cost = QString::fromStdString(cp1252::toUtf8(settings.formatCurrency(call.cost)));
        // The context menu offers the command for the row it opens on.
        bool offered = false;
        for (QAction* action : frame.prepareContextMenu(row)->actions())
            offered |= action->text().startsWith(QStringLiteral("&Explain cost...")) && action->isEnabled();
        QVERIFY(offered);
        frame.prepareContextMenu(-1);
        QVERIFY(!frame.isCommandEnabled(cmd::kExplainCost));
        frame.view()->selectOnly(row);

        QString shown;
        bool copied = false;
        QTimer::singleShot(0, &frame, [&] {
            auto* dialog = qobject_cast<CDlgExplainCost*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shown = dialog->text();
            for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
                if (button->text() == QStringLiteral("&Copy")) {
                    button->click();
                    copied = QGuiApplication::clipboard()->text() == shown;
                }
            if (const QByteArray shot = qgetenv("QX_EXPLAIN_SHOT"); !shot.isEmpty())
                dialog->grab().save(QString::fromLocal8Bit(shot));
            dialog->accept();
        });
        QTest::keyClick(&frame, Qt::Key_E, Qt::ControlModifier);
        QVERIFY2(shown.contains(QStringLiteral("Destination ") + destination), qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("Cost: ") + cost), qPrintable(shown));
        QVERIFY(copied);
        QVERIFY(messages.shown().empty());
    }
};

QTEST_MAIN(ExplainCostTest)
#include "ExplainCostTest.moc"
