#pragma once

#include <QList>
#include <QString>

namespace ExtensionSystem {

class PortSettings
{
public:
    PortSettings();

    void vInit();
    // Index into baudrates(); 2 selects 38400, the rate of IO-Link COM2.
    void vSetBaudrateDefault(int index);

    QString portName;
    int characterDelay = 0;
    int lineDelay = 0;
    int reserved = 0;
    qint32 baudrate = 38400;

    static QList<qint32> baudrates();

    bool operator==(const PortSettings &other) const;
    bool operator!=(const PortSettings &other) const { return !(*this == other); }
};

} // namespace ExtensionSystem
