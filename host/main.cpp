// ndorix: a small MDI host that loads the sensor plug-in by file name.
#include "hostwindow.h"
#include "pluginlibrary.h"
#include "simulatorprocess.h"

#include <extensionsystem/globals.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QTextStream>
#include <QTimer>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("ndorix");

    QCommandLineParser parser;
    parser.setApplicationDescription("Sensor configuration host");
    parser.addHelpOption();
    const QCommandLineOption listOption("list-sensors", "Print the models the plug-in supports and quit.");
    const QCommandLineOption openOption("open", "Open the sensor model NAME.", "NAME");
    const QCommandLineOption portOption("port", "Offer the serial port PATH (repeatable).", "PATH");
    const QCommandLineOption simulateOption("simulate", "Start the simulated master and offer its port.");
    const QCommandLineOption simArgsOption("sim-args", "Extra arguments for the simulator.", "ARGS");
    const QCommandLineOption autoOption("auto-connect", "Connect the opened sensor to PORT (\"simulator\": the simulator's port).", "PORT");
    const QCommandLineOption languageOption("language", "Language code (en, de).", "CODE", "en");
    const QCommandLineOption shotOption("screenshot", "Save a picture of the main window to FILE, then quit.", "FILE");
    const QCommandLineOption afterOption("after", "Milliseconds before the screenshot.", "MS", "1500");
    const QCommandLineOption pluginOption("plugin", "Plug-in library to load.", "FILE");
    parser.addOptions({listOption, openOption, portOption, simulateOption, simArgsOption, autoOption, languageOption,
                       shotOption, afterOption, pluginOption});
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);

    PluginLibrary plugin;
    const QString pluginFile = parser.isSet(pluginOption)
                                   ? parser.value(pluginOption)
                                   : QCoreApplication::applicationDirPath() + "/IoLinkK4Kv7family.so";
    if (!plugin.load(pluginFile)) {
        err << "ndorix: " << plugin.errorString() << '\n';
        return 2;
    }

    if (parser.isSet(listOption)) {
        for (const auto &sensor : plugin.sensors())
            out << QString::fromStdString(sensor.name()) << '\n';
        return 0;
    }

    HostWindow window(plugin);
    window.setLanguage(parser.value(languageOption));

    SimulatorProcess simulator;
    QString simulatorPort;
    if (parser.isSet(simulateOption)) {
        simulatorPort = simulator.start(SimulatorProcess::argumentsFor(
            parser.value(openOption), QProcess::splitCommand(parser.value(simArgsOption))));
        if (simulatorPort.isEmpty())
            err << "ndorix: simulator not started: " << simulator.errorString() << '\n';
        else
            out << "simulator port: " << simulatorPort << Qt::endl;
    }
    for (const QString &port : parser.values(portOption))
        window.addExtraPort(port);
    window.addExtraPort(simulatorPort);

    window.show();

    if (parser.isSet(openOption)) {
        ExtensionSystem::PluginInterface *instance = window.openSensor(parser.value(openOption));
        if (!instance) {
            err << "ndorix: no sensor model named \"" << parser.value(openOption) << "\"\n";
        } else if (parser.isSet(autoOption)) {
            QString port = parser.value(autoOption);
            if (port == "simulator")
                port = simulatorPort;
            if (!port.isEmpty())
                QTimer::singleShot(0, instance, [instance, port] { instance->vAutoConnect(port); });
        }
    }

    if (parser.isSet(shotOption)) {
        const QString file = parser.value(shotOption);
        QTimer::singleShot(parser.value(afterOption).toInt(), &window, [&window, file, &out] {
            for (const QString &title : window.sensorWindowTitles())
                out << "window: " << title << '\n';
            if (window.grab().save(file))
                out << "screenshot: " << file << Qt::endl;
            QApplication::quit();
        });
    }
    return app.exec();
}
