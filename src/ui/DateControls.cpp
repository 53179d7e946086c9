#include "ui/DateControls.h"

#include <QDateEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QTimeEdit>

namespace {

// Hours and minutes in the locale's convention.
QString timeFormat()
{
    QString format = QLocale().timeFormat(QLocale::ShortFormat);
    format.remove(QRegularExpression(QStringLiteral("[:.]?s+")));
    return format;
}

} // namespace

QTimeEdit* makeTimeEdit(QWidget* parent)
{
    auto* edit = new QTimeEdit(parent);
    edit->setDisplayFormat(timeFormat());
    return edit;
}

QDateEdit* makeDateEdit(QWidget* parent)
{
    auto* edit = new QDateEdit(parent);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    return edit;
}

QDateTime shownDateTime(const CallDate& date)
{
    const QDate day(date.year, date.month, date.day);
    return QDateTime(day.isValid() ? day : QDate::currentDate(), QTime(date.hour % 24, date.minute % 60));
}

CallDate callDateOf(const QDateTime& shown)
{
    return {static_cast<std::uint16_t>(shown.date().year()), static_cast<std::uint8_t>(shown.date().month()),
            static_cast<std::uint8_t>(shown.date().day()), static_cast<std::uint8_t>(shown.time().hour()),
            static_cast<std::uint8_t>(shown.time().minute())};
}
