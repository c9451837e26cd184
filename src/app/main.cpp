#include "appversion.h"

#include <QCoreApplication>
#include <QTextStream>

// Until the windows exist the program only says what it is.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream(stdout) << varelith::AppVersion::prompt() << Qt::endl;
    return 0;
}
