// mfs380a-cli: the MFS380A session from the command line.
#include "CliApp.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("mfs380a-cli"));
    QString error;
    const auto options = parseCliOptions(app.arguments().mid(1), error);
    if (!options) {
        std::fprintf(stderr, "mfs380a-cli: %s\nTry 'mfs380a-cli --help'.\n", qPrintable(error));
        return kExitUsage;
    }
    if (options->help) {
        std::fputs(kCliHelp, stdout);
        return kExitOk;
    }
    CliApp cli(*options);
    return cli.run();
}
