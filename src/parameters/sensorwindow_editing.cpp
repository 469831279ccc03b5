// The switch between user edits in the parameter tree and the window's
// handlers. Code that sets tree values itself turns it off first.

#include "window/sensorwindow.h"

#include "comm/masterframes.h"
#include "comm/pause.h"
#include "device/parameterwrite.h"
#include "window/logcategories.h"
#include "window/sensorwindowprivate.h"
#include "window/sensorwindowui.h"

#include <qtbrowseritem.h>
#include <qtpropertymanager.h>
#include <qttreepropertybrowser.h>
#include <utils/buttonmanager.h>

#include <QAction>

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

void SensorWindow::intValueChanged(QtProperty *property, int value)
{
    enableTreeDataHandling(false);
    vParameterEdited(property, QVariant(value));
    enableTreeDataHandling(true);
}

void SensorWindow::enumValueChanged(QtProperty *property, int value)
{
    enableTreeDataHandling(false);
    vParameterEdited(property, QVariant(value));
    enableTreeDataHandling(true);
}

void SensorWindow::doubleValueChanged(QtProperty *property, double value)
{
    enableTreeDataHandling(false);
    vParameterEdited(property, QVariant(value));
    enableTreeDataHandling(true);
}

void SensorWindow::boolValueChanged(QtProperty *property, bool value)
{
    enableTreeDataHandling(false);
    vParameterEdited(property, QVariant(value));
    enableTreeDataHandling(true);
}

void SensorWindow::buttonClicked(QtProperty *property)
{
    enableTreeDataHandling(false);
    vParameterEdited(property, QVariant(QString()));
    enableTreeDataHandling(true);
}

void SensorWindow::vParameterEdited(QtProperty *p, const QVariant &value)
{
    if (retranslating || !p)
        return;
    pendingProperty[0] = pendingProperty[1] = p;
    pendingValue[0] = pendingValue[1] = value;
    delayTimer.start();
    d->chartTimer.stop();
    d->poll.setCounter(20);
    if (!connected)
        vApplyParameterRules();
}

void SensorWindow::vStateChanged(int state)
{
    if (pendingProperty[0])
        d->boolManager->setValue(pendingProperty[0], state != 0, QString(), QString());
    sendDelayValue();
}

void SensorWindow::textEdited(QString text)
{
    d->editedText = text;
    d->textEditPending = true;
}

void SensorWindow::vTextEditFinished()
{
    if (!d->textEditPending)
        return;
    d->textEditPending = false;
    d->chartTimer.stop();
    d->poll.setCounter(d->objectInfoMode == 1 ? 90 : 0);
    pauseMs(120);
    if (selectedProperty)
        d->stringManager->setValue(selectedProperty, d->editedText);
    if (connected && !d->afterConnect) {
        const int index = selectedProperty ? textParameterIndex(selectedProperty->propertyId()) : 24;
        bSendCommand(textWritePrefixFrame(), true);
        pauseMs(50);
        queryCommand(buildTextWrite(std::uint16_t(index), 0, utf8Prefix(d->editedText, TextParameterLength)),
                     std::string());
        pauseMs(100);
        bSendCommand(cycleFrame(), true);
        pauseMs(50);
        bSendCommand(cycleFrame(), true);
    }
    if (userEdit)
        d->chartTimer.start();
}

void SensorWindow::itemSelected(QtBrowserItem *item)
{
    QtProperty *property = item ? item->property() : nullptr;
    pendingProperty[0] = property;
    selectedProperty = property;
    if (!ui->actionRead->isChecked() || !property)
        return;
    vEnableEditableProperties();
    if (property->propertyId() == QLatin1String("root"))
        return;
    propertyBrowser->setStyleSheet(QStringLiteral(
        " QTreeView {selection-color: black; selection-background-color: transparent; show-decoration-selected: 0;}"));
    property->setEnabled(false);
    signalWriteModeIcon(true);
    d->writeIconTimer.start();
}

void SensorWindow::signalWriteModeIcon(bool signalIcon)
{
    if (signalIcon) {
        ui->actionWritePermanent->setIcon(QIcon(QStringLiteral(":/icons/icons/schreiben2cerc.svg")));
        d->writeIconTimer.start();
    } else {
        ui->actionWritePermanent->setIcon(QIcon(QStringLiteral(":/icons/icons/schreiben.svg")));
    }
}

void SensorWindow::signalWriteModeIcon()
{
    signalWriteModeIcon(false);
}

void SensorWindow::comboIndexChangedString(QString text)
{
    if (!pendingProperty[0])
        return;
    if (QtProperty *property = findProperty(pendingProperty[0]->propertyId()))
        d->stringManager->setValue(property, text);
}

void SensorWindow::comboIndexChangedInt(int index)
{
    vParameterEdited(pendingProperty[0], QVariant(index));
}

} // namespace Core
} // namespace DirazSensorPlugin
