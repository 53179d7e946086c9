#include "app/CommandLine.h"

#include "core/Cp1252.h"
#include "core/FileTypes.h"
#include "report/ReportTask.h"

#include <QDir>

namespace {

QString absoluteIn(const QString& path, const QString& workingFolder)
{
    return QDir::isRelativePath(path) ? QDir::cleanPath(QDir(workingFolder).absoluteFilePath(path)) : path;
}

} // namespace

std::optional<std::filesystem::path> callFileOf(const QString& commandLine)
{
    QString name = commandLine;
    name.replace(QLatin1Char('"'), QLatin1Char(' '));
    name = name.trimmed();
    const auto extension = QString::fromLatin1(filetypes::extension(filetypes::kCallDatabase));
    if (!name.endsWith(extension, Qt::CaseInsensitive) || name.size() <= extension.size())
        return std::nullopt;
    return std::filesystem::path(name.toStdString());
}

QString absoluteCommandLine(const QString& commandLine, const QString& workingFolder)
{
    if (const auto file = callFileOf(commandLine))
        return absoluteIn(QString::fromStdString(file->string()), workingFolder);
    if (commandLine.trimmed().startsWith(QLatin1Char('@')))
        return commandLine;
    auto values = parseTaskText(cp1252::fromQString(commandLine));
    bool changed = false;
    const auto makeAbsolute = [&](int key, bool onlyWithFolder) {
        auto& value = values[static_cast<std::size_t>(key)];
        if (!value || value->empty())
            return;
        QString path = cp1252::toQString(*value);
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (onlyWithFolder && !path.contains(QLatin1Char('/')))
            return;
        const QString absolute = absoluteIn(path, workingFolder);
        if (absolute != path) {
            value = cp1252::fromQString(absolute);
            changed = true;
        }
    };
    makeAbsolute(taskkey::Calls, false);
    makeAbsolute(taskkey::Out, true);
    if (!changed)
        return commandLine;
    QStringList assignments;
    for (int k = 0; k < taskkey::kCount; ++k) {
        const auto& value = values[static_cast<std::size_t>(k)];
        if (!value)
            continue;
        const std::string_view name = taskkey::kNames[static_cast<std::size_t>(k)];
        assignments.append(
            QStringLiteral("%1=\"%2\"")
                .arg(QLatin1String(name.data(), static_cast<qsizetype>(name.size())), cp1252::toQString(*value)));
    }
    return assignments.join(QLatin1Char(' '));
}
