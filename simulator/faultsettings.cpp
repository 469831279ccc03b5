#include "simulator/faultsettings.h"

#include <QCommandLineParser>

namespace IoLinkSim {

namespace {

struct NumberOption
{
    const char *name;
    const char *help;
    int FaultSettings::*field;
};

const NumberOption kNumberOptions[] = {
    {"drop-every", "Leave every <n>th frame unanswered.", &FaultSettings::dropEvery},
    {"silent-after", "Answer nothing after <n> frames.", &FaultSettings::silentAfter},
    {"delay", "Delay every answer by <n> ms.", &FaultSettings::delayMs},
    {"garbage-every", "Answer every <n>th frame with noise.", &FaultSettings::garbageEvery},
    {"error-every", "Answer every <n>th frame with ERROR.", &FaultSettings::errorEvery},
    {"unplug-at", "Pull the sensor when frame <n> arrives.", &FaultSettings::unplugAt},
    {"replug-at", "Plug the sensor in again at frame <n>.", &FaultSettings::replugAt},
};

} // namespace

void FaultSettings::addOptions(QCommandLineParser *parser)
{
    for (const NumberOption &o : kNumberOptions)
        parser->addOption(QCommandLineOption(QString::fromLatin1(o.name), QString::fromLatin1(o.help), QStringLiteral("n")));
    parser->addOption(QCommandLineOption(QStringLiteral("product-name"),
                                         QStringLiteral("Report <name> as product name (a sensor of another kind)."),
                                         QStringLiteral("name")));
}

bool FaultSettings::fromParser(const QCommandLineParser &parser, FaultSettings *out, std::string *error)
{
    FaultSettings f;
    for (const NumberOption &o : kNumberOptions) {
        const QString name = QString::fromLatin1(o.name);
        if (!parser.isSet(name))
            continue;
        bool ok = false;
        const int value = parser.value(name).toInt(&ok);
        if (!ok || value < 0) {
            if (error)
                *error = "--" + std::string(o.name) + " needs a number of 0 or more";
            return false;
        }
        f.*(o.field) = value;
    }
    f.productName = parser.value(QStringLiteral("product-name")).toStdString();
    *out = f;
    return true;
}

} // namespace IoLinkSim
