#pragma once

// A sensor window on the in-process simulated master, connected as after a
// finished connection, with what tests of device traffic need around it.

#include "k4ktest.h"
#include "sensorwindowprobe.h"

#include "catalogue/catalogue.h"
#include "comm/masterframes.h"

#include <qtdoublepropertymanager.h>
#include <qtenumpropertymanager.h>
#include <simulator/simulatedchannel.h>

#include <QCoreApplication>
#include <QtTest>

namespace K4KTest {


// A window on the simulated master, connected as after a finished connection.
struct Rig
{
    ExtensionSystem::SensorBasic model = catalogueModel();
    SensorWindowProbe w{&model, shippedDescription()};
    IoLinkSim::SimulatedChannel channel;

    explicit Rig(bool connect = true)
    {
        auto &d = w.p();
        d.showProgress = false;
        d.pollingAllowed = true;
        d.afterConnect = false;
        channel.model().motion().setFixed(1500);
        // Lets the device's restart silence pass while the master is kept busy.
        channel.setClockStepPerFrame(250);
        if (connect) {
            w.connected = true;
            w.setSerialChannel(&channel);
        }
    }
    ~Rig() { w.setSerialChannel(nullptr); }

    void set(const QString &id, double value)
    {
        QtProperty *p = w.findProperty(id);
        QVERIFY2(p, qPrintable(id));
        auto &d = w.p();
        if (p->propertyManager() == d.enumManager)
            d.enumManager->setValue(p, int(value));
        else
            d.doubleManager->setValue(p, value);
    }
    double value(const QString &id)
    {
        QtProperty *p = w.findProperty(id);
        auto &d = w.p();
        return p->propertyManager() == d.enumManager ? d.enumManager->value(p) : d.doubleManager->value(p);
    }
    // The read request of a parameter, as the window addresses it.
    std::string readOf(const QString &id)
    {
        const QStringList a = w.propertyAddresses.value(id).split(QLatin1Char(';'));
        return DirazSensorPlugin::Core::buildReadRequest(std::uint16_t(a.value(0).toInt()), std::uint8_t(a.value(1).toInt()));
    }
    std::string writeOf(const QString &id, std::int64_t value)
    {
        const QStringList a = w.propertyAddresses.value(id).split(QLatin1Char(';'));
        return DirazSensorPlugin::Core::buildParameterWrite(std::uint16_t(a.value(0).toInt()), std::uint8_t(a.value(1).toInt()), value,
                                   a.value(2).toInt());
    }
    bool sent(const std::string &frame) const
    {
        for (const auto &r : channel.records())
            if (r.command == frame)
                return true;
        return false;
    }
    QStringList commands(std::size_t from = 0)
    {
        QStringList out;
        for (std::size_t i = from; i < channel.records().size(); ++i)
            out << hex(channel.records()[i].command);
        return out;
    }
    // A click on a tree button as a person does it, written at once.
    void click(const QString &id)
    {
        channel.clearRecords();
        w.buttonClicked(w.findProperty(id));
        w.delayTimer.stop();
        w.sendDelayValue();
    }
};

} // namespace K4KTest
