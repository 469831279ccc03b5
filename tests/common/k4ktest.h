#pragma once

// Helpers shared by the window tests: the shipped description, catalogue
// records, frames as text, and the answers a master gives.

#include "octets.h"

#include "catalogue/catalogue.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <string>
#include <utility>
#include <vector>

namespace K4KTest {

inline std::string shippedDescription()
{
    return (QCoreApplication::applicationDirPath() + "/IoLinkK4Kv7family.xml").toStdString();
}

// The catalogue record of model `id`, or the first one for an empty id.
inline ExtensionSystem::SensorBasic catalogueModel(const QString &id = QString())
{
    for (const ExtensionSystem::SensorBasic &model : DirazSensorPlugin::Core::catalogueList(shippedDescription()))
        if (id.isEmpty() || QString::fromStdString(model.id()) == id)
            return model;
    return ExtensionSystem::SensorBasic();
}

inline QString hex(const std::string &frame)
{
    return QString::fromLatin1(QByteArray(frame.data(), int(frame.size())).toHex(' '));
}

// The first `count` frames (all when negative) as text.
inline QStringList hex(const std::vector<std::string> &frames, int count = -1)
{
    QStringList out;
    for (const std::string &frame : frames) {
        if (count >= 0 && out.size() == count)
            break;
        out << hex(frame);
    }
    return out;
}

// A cycle answer: header, the 12 process-data characters, the status octet.
inline QString cycle(const QString &processData, const QString &status = QStringLiteral("00"))
{
    return QStringLiteral("09aa55") + processData + status;
}

// Object information block: `index` names the evaluated object; unused
// octets hold "cd" so a decoder reading them would notice.
inline QString objectBlock(int index, const QStringList &distances, const QList<int> &signalValues)
{
    QString out = QStringLiteral("cdcdcdcdcdcdcd") + QString::asprintf("%02x", index);
    for (const QString &d : distances)
        out += d;
    for (int s : signalValues)
        out += QStringLiteral("cdcdcd") + QString::asprintf("%02x", s);
    return out;
}

// Writes a document into a temporary folder that lives as long as the object.
class DescriptionFile
{
public:
    explicit DescriptionFile(const QString &content)
    {
        m_path = m_dir.path() + QStringLiteral("/IoLinkK4Kv7family.xml");
        QFile file(m_path);
        if (!content.isNull() && file.open(QIODevice::WriteOnly))
            file.write(content.toUtf8());
    }
    std::string path() const { return m_path.toStdString(); }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// The shipped description with some texts replaced.
inline QString shippedDescriptionWith(const std::vector<std::pair<QString, QString>> &replacements)
{
    QFile in(QString::fromStdString(shippedDescription()));
    QString text = in.open(QIODevice::ReadOnly) ? QString::fromUtf8(in.readAll()) : QString();
    for (const auto &r : replacements)
        text.replace(r.first, r.second);
    return text;
}

} // namespace K4KTest
