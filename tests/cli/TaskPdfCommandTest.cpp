// quantorix-cli task --pdf over the demo calls: the PDF holds the report's
// totals and, with page numbers on, every page its number.

#include "TempDir.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

const fs::path kProgram = QX_PROGRAM_DIR;

QString run(const QString& program, const QStringList& args, int* exitCode = nullptr)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(300000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAllStandardOutput());
}

// "YYYYMMDD" of the first day of the first monthly file and of the last day of the last one.
std::pair<std::string, std::string> demoPeriod()
{
    std::vector<std::string> months;
    for (const fs::directory_entry& entry : fs::directory_iterator(kProgram / "Calls"))
        if (entry.path().extension() == ".bsl" && entry.path().stem().string().size() == 7)
            months.push_back(entry.path().stem().string());
    std::sort(months.begin(), months.end());
    const auto day = [](const std::string& month, const char* dd) {
        return month.substr(0, 4) + month.substr(5, 2) + dd;
    };
    return {day(months.front(), "01"), day(months.back(), "28")};
}

} // namespace

TEST(TaskPdfCommand, PdfHoldsTheTotalsAndEveryPageNumber)
{
    TempDir home;
    fs::copy_file(kProgram / "brisel.dat", home / "brisel.dat");
    for (const char* folder : {"Calls", "Reports"})
        fs::copy(kProgram / folder, home / folder, fs::copy_options::recursive);
    std::ofstream(home / "quantorix.ini") << "[PageSettings]\nPageNo=1\n";

    const auto [from, to] = demoPeriod();
    const std::string task = "from=\"" + from + "\" to=\"" + to + "\" report=\"Summary by employee\" out=\""
                             + (home / "summary").string() + "\"";
    const fs::path pdf = home / "summary.pdf";
    int exitCode = -1;
    run(QStringLiteral(QX_PROGRAM_DIR "/quantorix-cli"),
        {QStringLiteral("task"), QStringLiteral("--home"), QString::fromStdString(home.path().string()),
         QStringLiteral("--pdf"), QString::fromStdString(pdf.string()), QString::fromStdString(task)},
        &exitCode);
    ASSERT_EQ(exitCode, 0);
    ASSERT_TRUE(fs::exists(home / "summary.htm")); // the task's own output as well

    std::ifstream in(home / "summary.htm", std::ios::binary);
    const QString html = QString::fromLatin1(std::string(std::istreambuf_iterator<char>(in), {}));
    const QString totalRow = html.mid(html.indexOf(QStringLiteral("class=\"total\"")));
    const QString text = run(QStringLiteral("pdftotext"), {QString::fromStdString(pdf.string()), QStringLiteral("-")});
    int totals = 0;
    // The numbers of the total's cells (the currency sign is the report's own encoding).
    const QRegularExpression cell(QStringLiteral("<td align=\"right\">\\s*([0-9][0-9.,:]*)"));
    for (auto it = cell.globalMatch(totalRow); it.hasNext() && totals < 3; ++totals) {
        const QString value = it.next().captured(1);
        EXPECT_TRUE(text.contains(value)) << value.toStdString();
    }
    EXPECT_EQ(totals, 3); // calls, duration, cost

    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 2);
    for (int page = 1; page <= pages.size(); ++page) {
        const QStringList lines = pages[page - 1].split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.last().trimmed(), QString::number(page));
    }
}
