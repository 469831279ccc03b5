// ndorix: a small MDI host that loads the sensor plug-in by file name.
#include "hostwindow.h"
#include "pluginlibrary.h"
#include "scriptrunner.h"
#include "simulatorprocess.h"

#include <extensionsystem/frametrace.h>
#include <extensionsystem/globals.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QScreen>
#include <QRegularExpression>
#include <QTextStream>
#include <QTimer>
#include <memory>
#include <vector>

namespace {

struct OrderedOption
{
    QString name;
    QString value;
};

// QCommandLineParser forgets the order of different options; steps and the
// --open they follow need it. Also takes the optional count after --simulate
// out of the arguments, since the parser knows no optional values.
std::vector<OrderedOption> orderedOptions(QStringList *arguments, const QStringList &withValue, int *simulators)
{
    std::vector<OrderedOption> ordered;
    *simulators = 0;
    for (int i = 1; i < arguments->size(); ++i) {
        const QString arg = arguments->at(i);
        if (!arg.startsWith(QLatin1String("--")))
            continue;
        QString name = arg.mid(2);
        QString value;
        const int equals = name.indexOf('=');
        if (equals >= 0) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        } else if (withValue.contains(name) && i + 1 < arguments->size()) {
            value = arguments->at(++i);
        }
        if (name == QLatin1String("simulate")) {
            *simulators = 1;
            static const QRegularExpression count(QStringLiteral("^[0-9]+$"));
            if (equals >= 0) {
                *simulators = value.toInt();
                (*arguments)[i] = QStringLiteral("--simulate");
            } else if (i + 1 < arguments->size() && count.match(arguments->at(i + 1)).hasMatch()) {
                *simulators = arguments->at(i + 1).toInt();
                arguments->removeAt(i + 1);
            }
        }
        ordered.push_back({name, value});
    }
    return ordered;
}

bool stepConnects(const QString &option)
{
    return option == QLatin1String("auto-connect") || option == QLatin1String("connect-pc-to-sensor");
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("ndorix");

    QCommandLineParser parser;
    parser.setApplicationDescription("Sensor configuration host");
    parser.addHelpOption();
    const QCommandLineOption listOption("list-sensors", "Print the models the plug-in supports and quit.");
    const QCommandLineOption openOption(
        "open", "Open the sensor model NAME (repeatable; the steps after it act on it).", "NAME");
    const QCommandLineOption portOption("port", "Offer the serial port PATH (repeatable).", "PATH");
    const QCommandLineOption simulateOption(
        "simulate", "Start N simulated masters (--simulate N, default 1) and offer their ports.");
    const QCommandLineOption simArgsOption("sim-args", "Extra arguments for the simulators.", "ARGS");
    const QCommandLineOption autoOption(
        "auto-connect", "Connect the sensor of the --open before to PORT, sensor to PC (\"simulator:K\": the K-th "
                        "simulator's port; \"simulator\": the first).", "PORT");
    const QCommandLineOption pcToSensorOption("connect-pc-to-sensor",
                                              "Connect the sensor of the --open before to PORT, PC to sensor.", "PORT");
    const QCommandLineOption languageOption("language", "Language code (en, de).", "CODE", "en");
    const QCommandLineOption shotOption("screenshot", "Save a picture of the main window to FILE, then quit.", "FILE");
    const QCommandLineOption afterOption("after", "Milliseconds before the screenshot.", "MS", "1500");
    const QCommandLineOption pluginOption("plugin", "Plug-in library to load.", "FILE");
    const QCommandLineOption unattendedOption(
        "unattended", "Answer every question with its confirming button and file dialogs with the step's file.");
    const QCommandLineOption setOption("set", "Step: change parameter ID to VALUE as its editor would.", "ID=VALUE");
    const QCommandLineOption clickOption("click", "Step: click the tree button ID.", "ID");
    const QCommandLineOption waitOption("wait", "Step: let the window run for MS milliseconds.", "MS");
    const QCommandLineOption settingsOption("settings", "Step: load the settings FILE.", "FILE");
    const QCommandLineOption saveOption("save-settings", "Step: save the settings to FILE.", "FILE");
    const QCommandLineOption readAllOption("read-all", "Step: read all parameters from the sensor.");
    const QCommandLineOption writeAllOption("write-all", "Step: write all parameters to the sensor.");
    const QCommandLineOption exitOption("exit-when-done", "Quit when every step has finished; the status tells how.");
    const QCommandLineOption traceOption("trace", "Write every frame and answer of the serial channels to FILE.",
                                         "FILE");
    const QCommandLineOption stepTimeoutOption("step-timeout", "Longest time one step may take.", "MS", "120000");
    parser.addOptions({listOption, openOption, portOption, simulateOption, simArgsOption, autoOption,
                       pcToSensorOption, languageOption, shotOption, afterOption, pluginOption, unattendedOption,
                       setOption, clickOption, waitOption, settingsOption, saveOption, readAllOption, writeAllOption,
                       exitOption, traceOption, stepTimeoutOption});

    QStringList arguments = QCoreApplication::arguments();
    QStringList withValue;
    for (const QCommandLineOption &option : {openOption, portOption, simArgsOption, autoOption, pcToSensorOption,
                                             languageOption, shotOption, afterOption, pluginOption, setOption,
                                             clickOption, waitOption, settingsOption, saveOption, traceOption,
                                             stepTimeoutOption})
        withValue << option.names();
    int simulatorCount = 0;
    const std::vector<OrderedOption> ordered = orderedOptions(&arguments, withValue, &simulatorCount);
    parser.process(arguments);

    QTextStream out(stdout);
    QTextStream err(stderr);

    PluginLibrary plugin;
    const QString pluginFile = parser.isSet(pluginOption)
                                   ? parser.value(pluginOption)
                                   : QCoreApplication::applicationDirPath() + "/IoLinkK4Kv7family.so";
    if (!plugin.load(pluginFile)) {
        err << "ndorix: " << plugin.errorString() << '\n';
        return ScriptRunner::CannotStart;
    }

    // The plug-in has already logged why its list is empty.
    QStringList pluginWarnings;
    const std::list<ExtensionSystem::SensorBasic> sensors = plugin.sensors(&pluginWarnings);
    if (sensors.empty())
        err << "ndorix: " << plugin.pluginName() << " lists no sensor models" << Qt::endl;

    if (parser.isSet(listOption)) {
        for (const auto &sensor : sensors)
            out << QString::fromStdString(sensor.name()) << '\n';
        return sensors.empty() ? ScriptRunner::CannotStart : 0;
    }

    if (parser.isSet(traceOption)) {
        QString error;
        if (!ExtensionSystem::FrameTrace::open(parser.value(traceOption), &error)) {
            err << "ndorix: cannot write the trace " << parser.value(traceOption) << ": " << error << '\n';
            return ScriptRunner::CannotStart;
        }
    }
    ExtensionSystem::Globals::setUnattended(parser.isSet(unattendedOption));

    HostWindow window(plugin);
    window.setLanguage(parser.value(languageOption));

    // Each simulator plays the model of the sensor that connects to it; one
    // nobody names plays the first model opened.
    QMap<int, QString> simulatorModels;
    {
        QString model;
        for (const OrderedOption &option : ordered) {
            if (option.name == QLatin1String("open")) {
                model = option.value;
                if (!simulatorModels.contains(0))
                    simulatorModels[0] = model;
            } else if (stepConnects(option.name) && option.value.startsWith(QLatin1String("simulator"))) {
                const int k = option.value == QLatin1String("simulator") ? 1 : option.value.mid(10).toInt();
                if (!simulatorModels.contains(k))
                    simulatorModels[k] = model;
            }
        }
    }
    std::vector<std::unique_ptr<SimulatorProcess>> simulators;
    QStringList simulatorPorts;
    for (int k = 1; k <= simulatorCount; ++k) {
        auto simulator = std::make_unique<SimulatorProcess>();
        const QString port = simulator->start(SimulatorProcess::argumentsFor(
            simulatorModels.value(k, simulatorModels.value(0)), QProcess::splitCommand(parser.value(simArgsOption))));
        if (port.isEmpty()) {
            err << "ndorix: simulator " << k << " not started: " << simulator->errorString() << '\n';
            if (parser.isSet(exitOption))
                return ScriptRunner::CannotStart;
        } else {
            out << "simulator " << k << " port: " << port << " pid: " << simulator->processId() << Qt::endl;
            if (k == 1)
                out << "simulator port: " << port << Qt::endl;
        }
        simulatorPorts << port;
        simulators.push_back(std::move(simulator));
    }
    for (const QString &port : parser.values(portOption))
        window.addExtraPort(port);
    for (const QString &port : qAsConst(simulatorPorts))
        window.addExtraPort(port);

    window.show();
    if (sensors.empty()) {
        // Not modal: a start without a person at the screen must not wait on it.
        auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("nDorix"),
                                    QStringLiteral("%1 lists no sensor models.").arg(plugin.pluginName()),
                                    QMessageBox::Ok, &window);
        box->setInformativeText(pluginWarnings.join('\n'));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setObjectName(QStringLiteral("pluginProblem"));
        box->show();
    }

    // "simulator" and "simulator:K" name the simulators' ports.
    auto resolvePort = [&](const QString &port, QString *error) -> QString {
        if (port != QLatin1String("simulator") && !port.startsWith(QLatin1String("simulator:")))
            return port;
        const int k = port == QLatin1String("simulator") ? 1 : port.mid(10).toInt();
        if (k < 1 || k > simulatorPorts.size() || simulatorPorts.at(k - 1).isEmpty()) {
            *error = QStringLiteral("%1 names no running simulator").arg(port);
            return QString();
        }
        return simulatorPorts.at(k - 1);
    };

    ScriptRunner runner(out, err);
    runner.setStepTimeout(parser.value(stepTimeoutOption).toInt());
    int sensor = -1;
    for (const OrderedOption &option : ordered) {
        using Step = ScriptRunner::Step;
        static const QMap<QString, Step::Kind> stepKinds = {
            {"auto-connect", Step::Connect}, {"connect-pc-to-sensor", Step::ConnectPcToSensor},
            {"set", Step::Set},              {"click", Step::Click},
            {"wait", Step::Wait},            {"settings", Step::Settings},
            {"save-settings", Step::SaveSettings}, {"read-all", Step::ReadAll},
            {"write-all", Step::WriteAll}};
        if (option.name == QLatin1String("open")) {
            ExtensionSystem::PluginInterface *instance = window.openSensor(option.value);
            if (!instance)
                err << "ndorix: no sensor model named \"" << option.value << "\"\n";
            runner.addSensor(instance, option.value);
            ++sensor;
            continue;
        }
        if (!stepKinds.contains(option.name))
            continue;
        if (sensor < 0) {
            err << "ndorix: --" << option.name << " needs an --open before it\n";
            return ScriptRunner::Usage;
        }
        Step step{stepKinds.value(option.name), sensor, option.value, QString()};
        if (step.kind == Step::Connect || step.kind == Step::ConnectPcToSensor) {
            QString error;
            step.argument = resolvePort(option.value, &error);
            if (step.argument.isEmpty()) {
                err << "ndorix: --" << option.name << ": " << error << '\n';
                return ScriptRunner::CannotStart;
            }
        } else if (step.kind == Step::Set) {
            const int equals = option.value.indexOf('=');
            if (equals <= 0) {
                err << "ndorix: --set wants ID=VALUE, not \"" << option.value << "\"\n";
                return ScriptRunner::Usage;
            }
            step.argument = option.value.left(equals);
            step.value = option.value.mid(equals + 1);
        } else if (step.kind == Step::Wait) {
            bool ok = false;
            if (option.value.toInt(&ok) < 0 || !ok) {
                err << "ndorix: --wait wants milliseconds, not \"" << option.value << "\"\n";
                return ScriptRunner::Usage;
            }
        }
        runner.addStep(step);
    }

    const bool exitWhenDone = parser.isSet(exitOption);
    QObject::connect(&runner, &ScriptRunner::finished, &window, [exitWhenDone](int status) {
        if (exitWhenDone)
            QApplication::exit(status);
    });
    runner.start();

    if (parser.isSet(shotOption)) {
        const QString file = parser.value(shotOption);
        QTimer::singleShot(parser.value(afterOption).toInt(), &window, [&window, file, &out, &runner, exitWhenDone] {
            for (const QString &title : window.sensorWindowTitles())
                out << "window: " << title << '\n';
            if (window.grab().save(file))
                out << "screenshot: " << file << Qt::endl;
            // A picture alone says nothing about the steps; a scripted run does.
            QApplication::exit(exitWhenDone ? runner.status() : 0);
        });
    }
    const int status = app.exec();
    ExtensionSystem::FrameTrace::close();
    return status;
}
