#include "sensorwindow.h"

#include "catalogue/catalogue.h"

namespace DirazSensorPlugin {
namespace Core {

SensorWindow::SensorWindow(const ExtensionSystem::SensorBasic *sensor)
{
    setObjectName("SensorWindow");
    actionEnable_live_data = new QAction(tr("Enable live data"), this);
    actionEnable_live_data->setCheckable(true);
    if (sensor)
        m_sensor = catalogueLookup(sensor->name());
}

SensorWindow::~SensorWindow() = default;

void SensorWindow::setSerialChannel(ExtensionSystem::CommunicationInterface *channel) { m_channel = channel; }
ExtensionSystem::CommunicationInterface *SensorWindow::serialChannel() const { return m_channel; }
void SensorWindow::updateComPortList(QStringList) {}
void SensorWindow::vAutoConnect(QString) {}
void SensorWindow::vSensorUpdate(QVariant mode) { vSensorUpdate(mode.toBool()); }
void SensorWindow::vSensorUpdate(bool) {}
void SensorWindow::vSetCompleteName(QString str) { m_completeName = str; }
bool SensorWindow::bOpenSettings(QString) { return false; }
void SensorWindow::jumpToPlottingArea() {}

} // namespace Core
} // namespace DirazSensorPlugin
