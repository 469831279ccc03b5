#include "sensorwindowprivate.h"

#include <QDialog>

namespace DirazSensorPlugin {
namespace Core {

SensorWindowPrivate::SensorWindowPrivate()
{
    chartTimer.setInterval(85);
    chartTimer.setSingleShot(true);
    // A coarse timer may fire up to 5 % late, and every poll waits for it.
    chartTimer.setTimerType(Qt::PreciseTimer);
    teachTimer.setInterval(4500);
    teachTimer.setSingleShot(true);
    writeIconTimer.setInterval(700);
    writeIconTimer.setSingleShot(true);
    // Parentless until first shown; then it becomes the window's child.
    progressDialog = new QDialog;
}

SensorWindowPrivate::~SensorWindowPrivate()
{
    delete progressDialog;
}

} // namespace Core
} // namespace DirazSensorPlugin
