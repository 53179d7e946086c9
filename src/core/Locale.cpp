#include "core/Locale.h"

#include "core/Cp1252.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <numeric>

namespace {

// Ranks from texts sorted by `less`: equal texts (by bytes) share a rank.
template <class Less> std::vector<std::uint32_t> ranksBy(std::span<const std::string_view> texts, Less less)
{
    std::vector<std::uint32_t> order(texts.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), less);
    std::vector<std::uint32_t> ranks(texts.size());
    std::uint32_t rank = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && texts[order[i]] != texts[order[i - 1]])
            ++rank;
        ranks[order[i]] = rank;
    }
    return ranks;
}

std::string bytes(const QString& s) { return cp1252::fromQString(s); }

void readCurrency(const QLocale& locale, LocaleData& d)
{
    d.currencySymbol = bytes(locale.currencySymbol());
    d.monetaryDecimal = bytes(QString(locale.decimalPoint()));
    d.monetaryGrouping = bytes(QString(locale.groupSeparator()));
    const QString sample = locale.toCurrencyString(1.0);
    const QString symbol = locale.currencySymbol();
    const qsizetype at = sample.indexOf(symbol);
    if (at >= 0 && !symbol.isEmpty()) {
        const bool before = at == 0;
        const bool spaced = before ? sample.mid(symbol.size(), 1).trimmed().isEmpty()
                                   : sample.mid(at - 1, 1).trimmed().isEmpty();
        d.currencyPositiveOrder = before ? (spaced ? 2 : 0) : (spaced ? 3 : 1);
    }
    const qsizetype dot = sample.indexOf(locale.decimalPoint());
    if (dot >= 0) {
        int digits = 0;
        for (qsizetype i = dot + 1; i < sample.size() && sample.at(i).isDigit(); ++i)
            ++digits;
        d.currencyDigits = digits;
    } else {
        d.currencyDigits = 0;
    }
}

LocaleData readLocale(const QLocale& locale)
{
    LocaleData d;
    d.name = locale.name().toStdString();
    for (int m = 1; m <= 12; ++m) {
        d.monthNames[m - 1] = bytes(locale.standaloneMonthName(m, QLocale::LongFormat));
        d.monthAbbrevs[m - 1] = bytes(locale.standaloneMonthName(m, QLocale::ShortFormat));
    }
    for (int day = 1; day <= 7; ++day) {
        d.dayNames[day - 1] = bytes(locale.dayName(day, QLocale::LongFormat));
        d.dayAbbrevs[day - 1] = bytes(locale.dayName(day, QLocale::ShortFormat));
    }
    d.firstDayOfWeek = locale.firstDayOfWeek() == Qt::Sunday ? 1 : static_cast<int>(locale.firstDayOfWeek()) + 1;
    d.shortDateFormat = bytes(locale.dateFormat(QLocale::ShortFormat));
    d.longDateFormats = {bytes(locale.dateFormat(QLocale::LongFormat))};
    const QString time = locale.timeFormat(QLocale::ShortFormat);
    d.time24 = !time.contains(QLatin1Char('a'), Qt::CaseInsensitive);
    d.timeLeadingZero = time.contains(d.time24 ? QStringLiteral("HH") : QStringLiteral("hh"));
    d.amText = bytes(locale.amText());
    d.pmText = bytes(locale.pmText());
    readCurrency(locale, d);
    return d;
}

class QtLocale final : public Locale
{
public:
    explicit QtLocale(const QLocale& locale)
        : m_data(readLocale(locale))
        , m_collator(locale)
    {
        m_collator.setCaseSensitivity(Qt::CaseSensitive);
        m_collator.setNumericMode(false);
    }

    const LocaleData& data() const override { return m_data; }

    int compare(std::string_view a, std::string_view b) const override
    {
        if (a == b)
            return 0;
        const int r = m_collator.compare(cp1252::toQString(a), cp1252::toQString(b));
        if (r != 0)
            return r;
        // Texts the collation deems equal but which differ in bytes keep a stable order.
        return a < b ? -1 : 1;
    }

    std::vector<std::uint32_t> collationRanks(std::span<const std::string_view> texts) const override
    {
        // Each text's sort key once, then only key comparisons.
        std::vector<QCollatorSortKey> keys;
        keys.reserve(texts.size());
        for (std::string_view text : texts)
            keys.push_back(m_collator.sortKey(cp1252::toQString(text)));
        return ranksBy(texts, [&](std::uint32_t a, std::uint32_t b) {
            const int r = keys[a].compare(keys[b]);
            return r != 0 ? r < 0 : texts[a] < texts[b];
        });
    }

private:
    LocaleData m_data;
    QCollator m_collator;
};

std::unique_ptr<Locale>& slot()
{
    static std::unique_ptr<Locale> current;
    return current;
}

} // namespace

std::vector<std::uint32_t> Locale::collationRanks(std::span<const std::string_view> texts) const
{
    return ranksBy(texts, [&](std::uint32_t a, std::uint32_t b) { return compare(texts[a], texts[b]) < 0; });
}

std::unique_ptr<Locale> Locale::fromQt(const std::string& name)
{
    const QLocale locale = name.empty() ? QLocale::system() : QLocale(QString::fromStdString(name));
    return std::make_unique<QtLocale>(locale);
}

const Locale& Locale::current()
{
    auto& current = slot();
    if (!current)
        current = fromQt({});
    return *current;
}

void Locale::pin(const std::string& name) { slot() = fromQt(name); }

void Locale::install(std::unique_ptr<Locale> locale) { slot() = std::move(locale); }
