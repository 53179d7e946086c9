#include "app/QuantorixApp.h"

#include "app/AppResources.h"
#include "app/CMainFrame.h"
#include "app/CommandLine.h"
#include "app/InstanceLink.h"
#include "core/Cp1252.h"
#include "core/DebugLog.h"
#include "core/IniProfile.h"
#include "core/ProgramFolder.h"
#include "lang/LanguageService.h"
#include "lang/StringTable.h"
#include "lang/gui/QtMessageSink.h"
#include "lang/gui/QtTranslate.h"

#include <QDir>

QuantorixApp::QuantorixApp(const QStringList& arguments)
{
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--home") && i + 1 < arguments.size())
            m_homeOption = arguments[++i];
        else if (arguments[i].startsWith(QLatin1String("--home=")))
            m_homeOption = arguments[i].mid(7);
        else
            rest.append(arguments[i]);
    }
    m_commandLine = rest.join(QLatin1Char(' ')).trimmed();
}

QuantorixApp::~QuantorixApp()
{
    m_frame.reset(); // before the language service and the INI file it uses
}

void QuantorixApp::handOverToRunning()
{
    if (m_commandLine.isEmpty())
        return;
    if (m_link->handOver(m_commandLine, InstanceLink::kFromSecondStart) == InstanceLink::HandOver::TooLong)
        MessageById(sid::kCommandLineTooLong, mb::kOk | mb::kIconStop, {cp1252::fromQString(m_commandLine)});
}

QuantorixApp::Start QuantorixApp::start()
{
    m_messages = std::make_unique<QtMessageSink>();
    // A running program has a working folder of its own, and this program's
    // title shows the path as it was opened: paths are made absolute here.
    if (!m_commandLine.isEmpty())
        m_commandLine = absoluteCommandLine(m_commandLine, QDir::currentPath());
    m_link = std::make_unique<InstanceLink>();
    if (!m_link->becomeFirst()) {
        handOverToRunning();
        return Start::SecondStart;
    }

    m_folder = programfolder::prepare(m_homeOption.toStdString()).folder;
    m_ini = std::make_unique<IniProfile>(m_folder / programfolder::kIniName);
    debuglog::setProgramFolder(m_folder);

    m_language = std::make_unique<LanguageService>(m_folder, m_ini.get());
    m_language->install();
    m_language->start();
    LoadQtTranslation();
    appres::registerResources();

    m_frame = std::make_unique<CMainFrame>(m_folder, *m_ini);
    m_frame->showAtStart(!m_commandLine.isEmpty());
    if (!m_frame->loadSettings() || !m_frame->logIn())
        return Start::Failed;
    m_frame->resetToNoFiles();
    m_link->setReceiver([this](int origin, const QString& text) { return m_frame->receiveCommandLine(origin, text); });

    if (!m_commandLine.isEmpty()) {
        if (m_commandLine.size() > InstanceLink::kMaxCommandLine)
            MessageById(sid::kCommandLineTooLong, mb::kOk | mb::kIconStop, {cp1252::fromQString(m_commandLine)});
        else
            m_frame->receiveCommandLine(InstanceLink::kFromOwnStart, m_commandLine);
    }
    return Start::Run;
}
