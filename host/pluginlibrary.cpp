#include "pluginlibrary.h"

bool PluginLibrary::load(const QString &filePath)
{
    m_library.setFileName(filePath);
    if (!m_library.load()) {
        m_error = m_library.errorString();
        return false;
    }
    m_init = reinterpret_cast<InitFn>(m_library.resolve("vInitialisePlugin"));
    m_name = reinterpret_cast<TextFn>(m_library.resolve("pcMorvaleNDorixPluginName"));
    m_version = reinterpret_cast<TextFn>(m_library.resolve("pcPluginVersion"));
    m_description = reinterpret_cast<TextFn>(m_library.resolve("pcDescription"));
    m_communicationType = reinterpret_cast<TextFn>(m_library.resolve("pcCommunicationType"));
    m_sensorMap = reinterpret_cast<MapFn>(m_library.resolve("vSensorMap"));
    m_create = reinterpret_cast<CreateFn>(m_library.resolve("poGetInterfaceInstance"));
    if (!m_init || !m_name || !m_version || !m_description || !m_communicationType || !m_sensorMap || !m_create) {
        m_error = QStringLiteral("%1 lacks one of the plug-in entry points").arg(filePath);
        return false;
    }
    m_init();
    return true;
}

QString PluginLibrary::pluginName() const { return QString::fromLatin1(m_name()); }
QString PluginLibrary::version() const { return QString::fromLatin1(m_version()); }
QString PluginLibrary::description() const { return QString::fromLatin1(m_description()); }
QString PluginLibrary::communicationType() const { return QString::fromLatin1(m_communicationType()); }

std::list<ExtensionSystem::SensorBasic> PluginLibrary::sensors() const
{
    std::list<ExtensionSystem::SensorBasic> list;
    m_sensorMap(&list);
    return list;
}

namespace {
QStringList *g_warnings = nullptr;
QtMessageHandler g_previousHandler = nullptr;

void collectWarning(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (g_warnings && (type == QtWarningMsg || type == QtCriticalMsg))
        g_warnings->append(text);
    g_previousHandler(type, context, text);
}
} // namespace

std::list<ExtensionSystem::SensorBasic> PluginLibrary::sensors(QStringList *warnings) const
{
    g_warnings = warnings;
    g_previousHandler = qInstallMessageHandler(collectWarning);
    std::list<ExtensionSystem::SensorBasic> list = sensors();
    qInstallMessageHandler(g_previousHandler);
    g_warnings = nullptr;
    return list;
}

ExtensionSystem::PluginInterface *PluginLibrary::createInstance(const ExtensionSystem::SensorBasic *sensor,
                                                                QMdiSubWindow *subWindow) const
{
    return m_create(sensor, subWindow);
}
