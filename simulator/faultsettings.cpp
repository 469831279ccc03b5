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
    parser->addOption(QCommandLineOption(QStringLiteral("read-error"),
                                         QStringLiteral("Answer the first read of <index> with the device error "
                                                        "<code> (hexadecimal: 8020, 8011 or 1601); repeatable."),
                                         QStringLiteral("index=code")));
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
    for (const QString &entry : parser.values(QStringLiteral("read-error"))) {
        bool indexOk = false;
        bool codeOk = false;
        const int index = entry.section(QLatin1Char('='), 0, 0).toInt(&indexOk, 0);
        const uint code = entry.section(QLatin1Char('='), 1).toUInt(&codeOk, 16);
        if (!indexOk || !codeOk || index < 0 || index > 0xFFFF || code == 0 || code > 0xFFFF) {
            if (error)
                *error = "--read-error needs INDEX=CODE, for example 23=8020, not " + entry.toStdString();
            return false;
        }
        f.firstReadErrors.emplace_back(index, std::uint16_t(code));
    }
    *out = f;
    return true;
}

} // namespace IoLinkSim
