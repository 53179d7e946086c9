#include "core/Locale.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

// Every engine test runs with the same pinned locale, whatever the machine's settings.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    Locale::pin("en_US");
    return RUN_ALL_TESTS();
}
