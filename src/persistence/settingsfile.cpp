#include "persistence/settingsfile.h"

#include <QLocale>
#include <QSaveFile>

#include <tinyxml2.h>

#include <climits>

namespace DirazSensorPlugin {
namespace Core {
namespace SettingsFile {

namespace {

const char *const kChartElements[3] = {"chartdata1", "chartdata2", "chartdata3"};

int skipBlanks(const QString &text)
{
    int i = 0;
    while (i < text.size() && (text.at(i) == QLatin1Char(' ') || (text.at(i) >= QLatin1Char('\t') && text.at(i) <= QLatin1Char('\r'))))
        ++i;
    return i;
}

bool isDigit(const QString &text, int i)
{
    return i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9');
}

} // namespace

QString joinEntries(const QList<Entry> &entries)
{
    QString out;
    for (const Entry &entry : entries)
        out += entry.id + QLatin1Char('=') + entry.value + QLatin1Char(';');
    return out;
}

QList<Entry> splitEntries(const QString &data)
{
    QList<Entry> entries;
    const QStringList parts = data.split(QLatin1Char(';'));
    entries.reserve(parts.size());
    for (const QString &part : parts)
        entries.append({part.section(QLatin1Char('='), 0, 0), part.section(QLatin1Char('='), 1, 1)});
    return entries;
}

QString formatDouble(double value)
{
    return QString::number(value, 'f', 6);
}

int leadingInt(const QString &text)
{
    int i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        negative = text.at(i++) == QLatin1Char('-');
    long long value = 0;
    for (; isDigit(text, i); ++i) {
        value = value * 10 + (text.at(i).unicode() - '0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return int(negative ? -value : value);
}

double leadingDouble(const QString &text)
{
    const int start = skipBlanks(text);
    int i = start;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    int digits = 0;
    for (; isDigit(text, i); ++i)
        ++digits;
    if (i < text.size() && text.at(i) == QLatin1Char('.'))
        for (++i; isDigit(text, i); ++i)
            ++digits;
    if (digits == 0)
        return 0.0;
    // An exponent counts only when digits follow it.
    if (i < text.size() && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        int j = i + 1;
        if (j < text.size() && (text.at(j) == QLatin1Char('+') || text.at(j) == QLatin1Char('-')))
            ++j;
        if (isDigit(text, j)) {
            while (isDigit(text, j))
                ++j;
            i = j;
        }
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(text.mid(start, i - start), &ok);
    return ok ? value : 0.0;
}

QByteArray serialize(const QString &pluginId, const QString &sensorId, const QString &treeData,
                     const QString charts[3])
{
    tinyxml2::XMLDocument doc;
    doc.InsertEndChild(doc.NewDeclaration("xml version=\"1.0\" encoding=\"utf-8\""));
    tinyxml2::XMLElement *root = doc.NewElement("root");
    root->SetAttribute("pluginid", pluginId.toUtf8().constData());
    root->SetAttribute("sensorid", sensorId.toUtf8().constData());
    doc.InsertEndChild(root);
    tinyxml2::XMLElement *settings = root->InsertNewChildElement("pluginsettings");
    settings->InsertNewChildElement("propertytreedata")->SetAttribute("data", treeData.toUtf8().constData());
    for (int i = 0; i < 3; ++i)
        settings->InsertNewChildElement(kChartElements[i])->SetAttribute("data", charts[i].toUtf8().constData());
    tinyxml2::XMLPrinter printer;
    doc.Print(&printer);
    // CStrSize counts the terminating zero.
    return QByteArray(printer.CStr(), printer.CStrSize() > 0 ? printer.CStrSize() - 1 : 0);
}

Refusal parse(const QByteArray &bytes, const QString &pluginId, const QString &sensorId, Content *out)
{
    *out = Content();
    tinyxml2::XMLDocument doc(true, tinyxml2::PRESERVE_WHITESPACE);
    if (bytes.isEmpty() || doc.Parse(bytes.constData(), size_t(bytes.size())) != tinyxml2::XML_SUCCESS)
        return Refusal::Corrupted;
    const tinyxml2::XMLElement *root = doc.FirstChildElement("root");
    if (!root)
        return Refusal::Corrupted;
    const char *plugin = root->Attribute("pluginid");
    const char *sensor = root->Attribute("sensorid");
    if (!plugin || !sensor || QByteArray(plugin) != pluginId.toUtf8() || QByteArray(sensor) != sensorId.toUtf8())
        return Refusal::OtherSensor;

    const tinyxml2::XMLElement *settings = root->FirstChildElement("pluginsettings");
    if (!settings)
        return Refusal::None;
    out->hasPluginSettings = true;
    if (const tinyxml2::XMLElement *tree = settings->FirstChildElement("propertytreedata")) {
        out->hasTreeData = true;
        out->treeData = QString::fromUtf8(tree->Attribute("data"));
    }
    for (int i = 0; i < 3; ++i) {
        if (const tinyxml2::XMLElement *chart = settings->FirstChildElement(kChartElements[i])) {
            out->hasChart[i] = true;
            out->chart[i] = QString::fromUtf8(chart->Attribute("data"));
        }
    }
    return Refusal::None;
}

bool writeAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    // Flushing here catches a full disk: the flush inside commit() does not
    // stop the rename.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace SettingsFile
} // namespace Core
} // namespace DirazSensorPlugin
