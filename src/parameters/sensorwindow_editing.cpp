// The switch between user edits in the parameter tree and the window's
// handlers. Code that sets tree values itself turns it off first.

#include "window/sensorwindow.h"

#include "window/sensorwindowprivate.h"

#include <qtpropertymanager.h>
#include <utils/buttonmanager.h>

namespace DirazSensorPlugin {
namespace Core {

void SensorWindow::enableTreeDataHandling(bool enabled)
{
    if (!d->boolManager)
        return;
    using IntSignal = void (QtIntPropertyManager::*)(QtProperty *, int);
    using EnumSignal = void (QtEnumPropertyManager::*)(QtProperty *, int);
    using DoubleSignal = void (QtDoublePropertyManager::*)(QtProperty *, double);
    using BoolSignal = void (QtBoolPropertyManager::*)(QtProperty *, bool);
    if (enabled) {
        // Unique: the handling is switched on from several places without
        // always having been switched off.
        connect(d->boolManager, static_cast<BoolSignal>(&QtBoolPropertyManager::valueChanged), this,
                &SensorWindow::boolValueChanged, Qt::UniqueConnection);
        connect(d->intManager, static_cast<IntSignal>(&QtIntPropertyManager::valueChanged), this,
                &SensorWindow::intValueChanged, Qt::UniqueConnection);
        connect(d->doubleManager, static_cast<DoubleSignal>(&QtDoublePropertyManager::valueChanged), this,
                &SensorWindow::doubleValueChanged, Qt::UniqueConnection);
        connect(d->enumManager, static_cast<EnumSignal>(&QtEnumPropertyManager::valueChanged), this,
                &SensorWindow::enumValueChanged, Qt::UniqueConnection);
        connect(d->buttonManager, &Utils::ButtonManager::buttonClicked, this, &SensorWindow::buttonClicked,
                Qt::UniqueConnection);
    } else {
        disconnect(d->boolManager, static_cast<BoolSignal>(&QtBoolPropertyManager::valueChanged), this,
                   &SensorWindow::boolValueChanged);
        disconnect(d->intManager, static_cast<IntSignal>(&QtIntPropertyManager::valueChanged), this,
                   &SensorWindow::intValueChanged);
        disconnect(d->doubleManager, static_cast<DoubleSignal>(&QtDoublePropertyManager::valueChanged), this,
                   &SensorWindow::doubleValueChanged);
        disconnect(d->enumManager, static_cast<EnumSignal>(&QtEnumPropertyManager::valueChanged), this,
                   &SensorWindow::enumValueChanged);
        disconnect(d->buttonManager, &Utils::ButtonManager::buttonClicked, this, &SensorWindow::buttonClicked);
    }
}

} // namespace Core
} // namespace DirazSensorPlugin
