#include "calls/CallDate.h"

bool CallDate::isValid() const
{
    return month >= 1 && month <= 12 && year >= 1980 && year <= 2099 && hour <= 23 && minute <= 59 && day >= 1
           && day <= daysInMonth(year, month);
}
