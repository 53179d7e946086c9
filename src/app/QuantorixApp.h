#pragma once
// The program's start: one instance per user, the hand-over of a command line
// to the running instance, the INI file and the language of the program
// folder, the main window, the settings database, the login, the state with no
// files open and, last, the program's own command line.

#include <QString>
#include <QStringList>

#include <filesystem>
#include <memory>

class CMainFrame;
class IniProfile;
class InstanceLink;
class LanguageService;
class QtMessageSink;

class QuantorixApp
{
public:
    // The arguments without the program name. "--home DIR" names the program
    // folder; the others, joined by blanks, are the command line.
    explicit QuantorixApp(const QStringList& arguments);
    ~QuantorixApp();

    enum class Start { Run, SecondStart, Failed };
    // Runs the start-up. Anything but Run ends the program at once: a second
    // start (after handing over its command line), or no settings database or
    // the login cancelled (Failed).
    Start start();

    const QString& commandLine() const { return m_commandLine; }
    CMainFrame* frame() const { return m_frame.get(); }

private:
    void handOverToRunning();

    QString m_commandLine;
    QString m_homeOption;
    std::unique_ptr<QtMessageSink> m_messages;
    std::unique_ptr<InstanceLink> m_link;
    std::filesystem::path m_folder;
    std::unique_ptr<IniProfile> m_ini;
    std::unique_ptr<LanguageService> m_language;
    std::unique_ptr<CMainFrame> m_frame;
};
