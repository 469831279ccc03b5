// iolink-sim: the simulated master with a sensor behind it, on a
// pseudo-terminal. The first line on stdout is the port to open.
#include "simulator/devicedescription.h"
#include "simulator/faultsettings.h"
#include "simulator/ptyserver.h"
#include "simulator/simulatedmaster.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <sys/prctl.h>

#include <unistd.h>

namespace {

std::atomic<bool> g_stop{false};
std::atomic<bool> g_plugIn{false};

void onSignal(int)
{
    g_stop.store(true);
}

void onPlugSignal(int)
{
    g_plugIn.store(true);
}

void installSignals()
{
    struct sigaction plug = {};
    plug.sa_handler = onPlugSignal;
    sigemptyset(&plug.sa_mask);
    sigaction(SIGUSR1, &plug, nullptr);

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

int fail(const std::string &message)
{
    std::cerr << "iolink-sim: " << message << std::endl;
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // A test or host that dies without stopping us must not leave us running.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("iolink-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated IO-Link master with a distance sensor behind it.\nStandard input takes control lines: \"plug\" plugs the sensor in again (as does SIGUSR1), \"unplug\" takes it off."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("description"), QStringLiteral("Description file (default: beside the program)."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("variant"), QStringLiteral("Product name of the catalogue variant to be."),
                      QStringLiteral("name")});
    parser.addOption({QStringLiteral("list-variants"), QStringLiteral("Print the product names and exit.")});
    parser.addOption({QStringLiteral("model"),
                      QStringLiteral("Catalogue model name; be its first variant (--variant chooses another)."),
                      QStringLiteral("name")});
    parser.addOption({QStringLiteral("distance"), QStringLiteral("Hold the object still at <mm> instead of moving it."),
                      QStringLiteral("mm")});
    parser.addOption({QStringLiteral("trace"), QStringLiteral("Log every frame and answer to stderr.")});
    parser.addOption({QStringLiteral("dump-dir"),
                      QStringLiteral("On exit, write every number parameter as id=value to <dir>/iolink-sim-<pid>.txt."),
                      QStringLiteral("dir")});
    parser.addOption({QStringLiteral("set"), QStringLiteral("Start with parameter <id> holding device value <n>."),
                      QStringLiteral("id=n")});
    IoLinkSim::FaultSettings::addOptions(&parser);
    parser.process(app);

    const QString path = parser.isSet(QStringLiteral("description"))
                             ? parser.value(QStringLiteral("description"))
                             : QCoreApplication::applicationDirPath() + QStringLiteral("/IoLinkK4Kv7family.xml");
    IoLinkSim::DeviceDescription description;
    std::string error;
    if (!description.load(path.toStdString(), &error))
        return fail("cannot use the description " + error);

    if (parser.isSet(QStringLiteral("list-variants"))) {
        for (const auto &v : description.variants())
            std::cout << v.productName << "  " << v.modelName << std::endl;
        return 0;
    }

    IoLinkSim::FaultSettings faults;
    if (!IoLinkSim::FaultSettings::fromParser(parser, &faults, &error))
        return fail(error);

    IoLinkSim::SimulatedMaster master(description);
    IoLinkSim::DeviceModel &model = master.model();
    if (parser.isSet(QStringLiteral("model")) && !parser.isSet(QStringLiteral("variant"))) {
        const std::string name = parser.value(QStringLiteral("model")).toStdString();
        const auto &variants = model.variants();
        std::size_t i = 0;
        while (i < variants.size() && variants[i].modelName != name)
            ++i;
        if (i == variants.size() || !model.selectVariant(i))
            return fail("no model " + name + " (see --list-variants)");
    }
    if (parser.isSet(QStringLiteral("variant"))
        && !model.selectProductName(parser.value(QStringLiteral("variant")).toStdString()))
        return fail("no variant " + parser.value(QStringLiteral("variant")).toStdString() + " (see --list-variants)");
    for (const QString &assignment : parser.values(QStringLiteral("set"))) {
        bool ok = false;
        const qlonglong value = assignment.section(QLatin1Char('='), 1).toLongLong(&ok);
        if (!ok || !model.setNumber(assignment.section(QLatin1Char('='), 0, 0).toStdString(), value))
            return fail("--set needs a numeric parameter and a number: " + assignment.toStdString());
    }
    if (parser.isSet(QStringLiteral("distance"))) {
        bool ok = false;
        const double mm = parser.value(QStringLiteral("distance")).toDouble(&ok);
        if (!ok)
            return fail("--distance needs a number of millimetres");
        model.motion().setFixed(mm);
    }
    model.setRealClock(true);
    master.setFaults(faults);

    IoLinkSim::PtyServer server(&master);
    if (!server.open(&error))
        return fail(error);
    if (parser.isSet(QStringLiteral("trace")))
        server.setTrace([](const std::string &line) { std::cerr << line << std::endl; });

    // A sensor taken off (back-to-box, unplug) comes back with SIGUSR1 or a
    // "plug" line on standard input; "unplug" takes it off.
    server.setControlInput(STDIN_FILENO, [&model](const std::string &line) {
        if (line == "plug" || line == "replug")
            model.plugIn();
        else if (line == "unplug")
            model.unplug();
        else if (!line.empty())
            std::cerr << "iolink-sim: unknown control line \"" << line << "\" (plug, unplug)" << std::endl;
    });
    server.setIdle([&model] {
        if (g_plugIn.exchange(false))
            model.plugIn();
    });
    installSignals();
    std::printf("%s\n", server.slavePath().c_str());
    std::fflush(stdout);
    server.run(g_stop);
    if (parser.isSet(QStringLiteral("dump-dir"))) {
        // What the device holds when it goes, so a test can compare it with
        // what a host meant to write.
        const QString path = QStringLiteral("%1/iolink-sim-%2.txt")
                                 .arg(parser.value(QStringLiteral("dump-dir")))
                                 .arg(QCoreApplication::applicationPid());
        std::FILE *dump = std::fopen(path.toLocal8Bit().constData(), "w");
        if (!dump)
            return fail("cannot write " + path.toStdString());
        for (const auto &parameter : description.parameters()) {
            std::int64_t value = 0;
            if (model.number(parameter.id, &value))
                std::fprintf(dump, "%s=%lld\n", parameter.id.c_str(), static_cast<long long>(value));
        }
        std::fclose(dump);
    }
    return 0;
}
