// quantorix: the window program.
#include "app/QuantorixApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quantorix"));
    QApplication::setDesktopFileName(QStringLiteral("org.quantorix.Quantorix")); // the installed desktop entry
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    QuantorixApp program(arguments);
    switch (program.start()) {
    case QuantorixApp::Start::SecondStart:
        return 0;
    case QuantorixApp::Start::Failed:
        return 1;
    case QuantorixApp::Start::Run:
        break;
    }
    return QApplication::exec();
}
