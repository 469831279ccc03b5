// Time to build the sensor window: with the shipped description and with a
// generated one of 1,000 parameters (and the ratio of the two, which is what
// to compare between runs).

#include "catalogue/catalogue.h"
#include "window/sensorwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using DirazSensorPlugin::Core::SensorWindow;

// 50 categories of 20 parameters, the kinds mixed as in a real device.
QString generatedDescription(int parameters)
{
    QString xml;
    QTextStream out(&xml);
    out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<document><documentId>IoLinkK4Kv7family</documentId>"
           "<sensorList/><treeGui><default>\n";
    const int perCategory = 20;
    for (int c = 0; c * perCategory < parameters; ++c) {
        out << "<property><type>category</type><id>Cat" << c << "</id><text><en>Category " << c
            << "</en><de>Kategorie " << c << "</de></text><readonly>false</readonly>\n";
        for (int i = c * perCategory; i < std::min(parameters, (c + 1) * perCategory); ++i) {
            static const char *const kinds[5] = {"int", "double", "enumerator", "bool", "string"};
            const char *kind = kinds[i % 5];
            out << "<property><type>" << kind << "</type><id>P" << i << "</id><text><en>Parameter " << i
                << "</en><de>Parameter " << i << "</de></text><index>" << (64 + i) << "</index><subIndex>0</subIndex>"
                << "<size>7</size><readonly>false</readonly><min>0</min><max>10000</max><defaultvalue>" << (i % 3)
                << "</defaultvalue>";
            if (i % 5 == 2 || i % 5 == 4)
                out << "<items><a><en>First</en><de>Erste</de></a><b><en>Second</en><de>Zweite</de></b>"
                       "<c><en>Third</en><de>Dritte</de></c></items>";
            out << "</property>\n";
        }
        out << "</property>\n";
    }
    out << "</default></treeGui><guiCategory><default/></guiCategory></document>\n";
    return xml;
}

// Median of several builds, in milliseconds.
double medianBuildMs(const std::string &path, const ExtensionSystem::SensorBasic *model, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        {
            SensorWindow window(model, path);
            times.push_back(timer.nsecsElapsed() / 1.0e6);
        }
        QCoreApplication::processEvents();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = 7;

    const std::string shipped = (QCoreApplication::applicationDirPath() + "/IoLinkK4Kv7family.xml").toStdString();
    const auto models = DirazSensorPlugin::Core::catalogueList(shipped);
    const ExtensionSystem::SensorBasic *model = models.empty() ? nullptr : &models.front();

    QTemporaryDir dir;
    const QString generatedPath = dir.path() + "/IoLinkK4Kv7family.xml";
    {
        QFile file(generatedPath);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(generatedDescription(1000).toUtf8());
    }

    medianBuildMs(shipped, model, 1); // warm-up: resources, fonts, style
    const double shippedMs = medianBuildMs(shipped, model, runs);
    const double generatedMs = medianBuildMs(generatedPath.toStdString(), nullptr, runs);
    const double emptyMs = medianBuildMs(dir.path().toStdString() + "/missing.xml", nullptr, runs);

    std::printf("window_build_shipped: %.1f ms\n", shippedMs);
    std::printf("window_build_1000_parameters: %.1f ms\n", generatedMs);
    std::printf("window_build_no_description: %.1f ms\n", emptyMs);
    std::printf("tree_cost_per_parameter: %.3f ms\n", (generatedMs - emptyMs) / 1000.0);
    std::printf("summary: 1000-parameter build takes %.2fx the shipped build (median of %d)\n",
                generatedMs / shippedMs, runs);
    return 0;
}
