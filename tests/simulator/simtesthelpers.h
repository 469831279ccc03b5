#pragma once

// Shared by the simulator tests: the description file the build puts beside
// the tests, and octet/hex conversions.
#include "simulator/devicedescription.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

#include <string>

namespace SimTest {

inline QString descriptionPath()
{
    const QByteArray bin = qgetenv("K4K_BIN");
    const QString dir = bin.isEmpty() ? QCoreApplication::applicationDirPath() : QString::fromLocal8Bit(bin);
    return dir + QStringLiteral("/IoLinkK4Kv7family.xml");
}

inline IoLinkSim::DeviceDescription loadDescription()
{
    IoLinkSim::DeviceDescription d;
    d.load(descriptionPath().toStdString());
    return d;
}

inline std::string octets(const char *hex)
{
    const QByteArray raw = QByteArray::fromHex(hex);
    return std::string(raw.constData(), std::size_t(raw.size()));
}

inline QByteArray bytes(const std::string &raw)
{
    return QByteArray(raw.data(), int(raw.size()));
}

inline QString hex(const std::string &raw)
{
    return QString::fromLatin1(bytes(raw).toHex());
}

} // namespace SimTest
