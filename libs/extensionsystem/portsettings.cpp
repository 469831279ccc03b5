#include "portsettings.h"

namespace ExtensionSystem {

PortSettings::PortSettings()
{
    vInit();
}

QList<qint32> PortSettings::baudrates()
{
    return {9600, 19200, 38400, 57600, 115200};
}

void PortSettings::vInit()
{
    portName.clear();
    characterDelay = 0;
    lineDelay = 0;
    reserved = 0;
    vSetBaudrateDefault(2);
}

bool PortSettings::operator==(const PortSettings &other) const
{
    return portName == other.portName && characterDelay == other.characterDelay && lineDelay == other.lineDelay
           && reserved == other.reserved && baudrate == other.baudrate;
}

void PortSettings::vSetBaudrateDefault(int index)
{
    const QList<qint32> rates = baudrates();
    if (index >= 0 && index < rates.size())
        baudrate = rates.at(index);
}

} // namespace ExtensionSystem
