#include "core/Locale.h"
#include "settings/SettingsDatabase.h"

#include <gtest/gtest.h>

namespace {

CurrencyFormat dollars()
{
    CurrencyFormat f;
    f.symbol = "$";
    return f;
}

} // namespace

TEST(CurrencyFormat, FormatsLikeThePlatformFormatter)
{
    CurrencyFormat f = dollars();
    EXPECT_EQ(f.format(1234567.891), "$1,234,567.89");
    EXPECT_EQ(f.format(-1.0), "($1.00)");
    EXPECT_EQ(f.format(0.125), "$0.13"); // half away from zero
    EXPECT_EQ(f.format(-0.125), "($0.13)");
    EXPECT_EQ(f.format(0.0049), "$0.00");
    EXPECT_EQ(f.format(-0.001), "$0.00"); // rounds to zero: no sign
    EXPECT_EQ(f.format(999.995), "$1,000.00");
    f.positiveOrder = 1;
    EXPECT_EQ(f.format(1.5), "1.50$");
    EXPECT_EQ(f.format(-1.5), "($1.50)"); // negative order 0 whatever the positive order
    f.positiveOrder = 2;
    EXPECT_EQ(f.format(1.5), "$ 1.50");
    f.positiveOrder = 3;
    f.symbol = "EUR";
    f.decimalSymbol = ",";
    f.groupingSymbol = ".";
    EXPECT_EQ(f.format(1234.5), "1.234,50 EUR");
    f.leadingZero = false;
    EXPECT_EQ(f.format(0.5), ",50 EUR");
    f.digits = 0;
    EXPECT_EQ(f.format(0.4), "0 EUR");
    EXPECT_EQ(f.format(2.5), "3 EUR");
    f.groupSize = 0;
    EXPECT_EQ(f.format(1234567), "1234567 EUR");
    f.groupSize = 32;
    EXPECT_EQ(f.format(1234567), "12.34.567 EUR");
}

TEST(CurrencyFormat, RoundsDecimalTextHalfAwayFromZero)
{
    EXPECT_EQ(roundDecimalText("1.005000", 2), "1.01");
    EXPECT_EQ(roundDecimalText("-1.005000", 2), "-1.01");
    EXPECT_EQ(roundDecimalText("9.999", 2), "10.00");
    EXPECT_EQ(roundDecimalText("9.5", 0), "10");
    EXPECT_EQ(roundDecimalText("1.2", 4), "1.2000");
    EXPECT_EQ(roundDecimalText("-0.004", 2), "0.00");
    EXPECT_EQ(fixedText(1.0 / 3.0, 6), "0.333333");
}

// The header's blocks, the locale's values and the "?" symbol (en_US pinned for every test).
TEST(CurrencyFormat, FormatsFromHeaderAndLocale)
{
    SettingsDatabase db;
    db.rebuildCurrencyFormats();
    // Empty blocks are filled from the locale; the alternative symbol becomes "?".
    EXPECT_EQ(db.header.mainCurrency.symbol.view(), "$");
    EXPECT_EQ(db.header.alternativeCurrency.symbol.view(), "?");
    EXPECT_EQ(db.header.mainCurrency.digits, 2u);
    EXPECT_EQ(db.formatCurrency(1234.5), "$1,234.50");
    EXPECT_EQ(db.formatCurrency(2, Currency::Alternative), "?2.00");

    db.header.mainCurrency.symbol.assign("EUR");
    db.header.mainCurrency.decimalSymbol.assign(",");
    db.header.mainCurrency.groupingSymbol.assign(".");
    db.header.mainCurrency.digits = 3;
    db.header.mainCurrency.symbolPosition = 3;
    db.header.alternativeCurrency.symbol.assign("USD");
    db.header.alternativeCurrency.symbolPosition = 2;
    db.rebuildCurrencyFormats();
    // Without "Override Windows settings" only the symbol is the block's.
    EXPECT_EQ(db.formatCurrency(1234.5), "EUR1,234.50");
    db.header.overrideCurrency = 1;
    db.rebuildCurrencyFormats();
    EXPECT_EQ(db.formatCurrency(1234.5), "1.234,500 EUR");
    // The alternative format is the main one with the alternative symbol and position.
    EXPECT_EQ(db.formatCurrency(1234.5, Currency::Alternative), "USD 1.234,500");
    EXPECT_EQ(db.formatCurrency(-2, Currency::Alternative), "(USD2,000)");
}

TEST(CurrencyFormat, PlainModeParsingAndRounding)
{
    SettingsDatabase db;
    db.header.overrideCurrency = 1;
    db.header.mainCurrency.symbol.assign("EUR");
    db.header.mainCurrency.decimalSymbol.assign(",");
    db.header.mainCurrency.digits = 2;
    db.rebuildCurrencyFormats();
    EXPECT_EQ(db.formatCurrency(1.5, Currency::Main, true), "1,50");
    EXPECT_EQ(db.formatCurrency(0.12345678, Currency::Main, true), "0,12345678");
    EXPECT_EQ(db.formatCurrency(1234, Currency::Main, true), "1234,00");
    EXPECT_EQ(db.formatCurrency(-0.1, Currency::Main, true), "-0,10");
    EXPECT_EQ(db.formatCurrency(-0.0, Currency::Main, true), "0,00");

    EXPECT_DOUBLE_EQ(db.parseAmount("1,25"), 1.25);
    EXPECT_DOUBLE_EQ(db.parseAmount("  -3,5 EUR"), -3.5);
    EXPECT_DOUBLE_EQ(db.parseAmount("abc"), 0.0);
    EXPECT_DOUBLE_EQ(db.parseAmount(""), 0.0);
    EXPECT_DOUBLE_EQ(db.parseAmount("1e400"), 0.0);
    EXPECT_DOUBLE_EQ(db.parseAmount("nan"), 0.0);

    EXPECT_DOUBLE_EQ(db.roundToCurrencyUnit(0.125), 0.13);
    EXPECT_DOUBLE_EQ(db.roundToCurrencyUnit(-0.125), -0.13);
    EXPECT_DOUBLE_EQ(db.roundToCurrencyUnit(1.0049994), 1.0);  // 1.004999
    EXPECT_DOUBLE_EQ(db.roundToCurrencyUnit(1.0049996), 1.01); // six decimals first: 1.005000

    db.header.mainCurrency.digits = 0;
    db.rebuildCurrencyFormats();
    EXPECT_EQ(db.formatCurrency(2, Currency::Main, true), "2");
    EXPECT_EQ(db.formatCurrency(2.5, Currency::Main, true), "2,5");
    EXPECT_DOUBLE_EQ(db.roundToCurrencyUnit(2.5), 3.0);
}

TEST(CurrencyFormat, OutOfRangeBlockValuesStayUsable)
{
    SettingsDatabase db;
    db.header.overrideCurrency = 1;
    db.header.mainCurrency.symbol.assign("X");
    db.header.mainCurrency.digits = 4000000000u;
    db.header.mainCurrency.symbolPosition = 17;
    db.header.mainCurrency.groupSize = 77;
    db.rebuildCurrencyFormats();
    EXPECT_EQ(db.formatCurrency(1234.5), "X1234.500000000");
    EXPECT_EQ(db.formatCurrency(std::numeric_limits<double>::quiet_NaN()), "X0.000000000");
    EXPECT_FALSE(db.formatCurrency(1e300).empty());
}

TEST(CurrencyFormat, FollowsAnotherLocale)
{
    Locale::pin("de_DE");
    SettingsDatabase db;
    db.rebuildCurrencyFormats();
    const std::string text = db.formatCurrency(1234.5);
    Locale::pin("en_US");
    EXPECT_NE(text.find("1.234,50"), std::string::npos) << text;
    EXPECT_EQ(db.header.alternativeCurrency.symbol.view(), "?");
}
