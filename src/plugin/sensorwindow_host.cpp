// Steps the host drives in an unattended run. Each goes the way a person's
// click or edit goes, so the delayed write and every rule behind it apply.

#include "window/sensorwindow.h"

#include "window/logcategories.h"
#include "window/sensorwindowprivate.h"

#include <extensionsystem/plugininterface.h>
#include <qtpropertybrowser.h>
#include <qtpropertymanager.h>
#include <qttreepropertybrowser.h>
#include <utils/buttonmanager.h>

#include <QComboBox>
#include <QDialog>
#include <QLocale>

namespace DirazSensorPlugin {
namespace Core {

using Step = ExtensionSystem::PluginInterface;

namespace {

// Numbers as a script writes them, whatever the locale of the machine.
bool parseNumber(const QString &text, double *value)
{
    bool ok = false;
    *value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok;
}

} // namespace

int SensorWindow::nSetParameterAsEditor(const QString &id, const QString &value)
{
    QtProperty *property = findProperty(id);
    if (!property || property->propertyId() != id) {
        qCWarning(lcParameters) << "no parameter with id" << id;
        return Step::StepUnknownId;
    }
    if (!property->isEnabled()) {
        qCWarning(lcParameters) << id << "cannot be edited now";
        return Step::StepRefused;
    }
    // A person's edit selects the row first; the text editor relies on it.
    if (propertyBrowser) {
        const QList<QtBrowserItem *> items = propertyBrowser->items(property);
        if (!items.isEmpty())
            propertyBrowser->setCurrentItem(items.first());
    }
    QtAbstractPropertyManager *manager = property->propertyManager();
    double number = 0;
    const bool isNumber = parseNumber(value, &number);
    if (manager == d->enumManager) {
        const int count = d->enumManager->enumNames(property).size();
        if (!isNumber || number != int(number) || number < 0 || number >= count)
            return Step::StepRefused;
        d->enumManager->setValue(property, int(number));
    } else if (manager == d->boolManager) {
        if (!isNumber || (number != 0 && number != 1))
            return Step::StepRefused;
        d->boolManager->setValue(property, number != 0);
    } else if (manager == d->intManager) {
        if (!isNumber || number != int(number) || number < d->intManager->minimum(property)
            || number > d->intManager->maximum(property))
            return Step::StepRefused;
        d->intManager->setValue(property, int(number));
    } else if (manager == d->doubleManager) {
        if (!isNumber || number < d->doubleManager->minimum(property) || number > d->doubleManager->maximum(property))
            return Step::StepRefused;
        d->doubleManager->setValue(property, number);
    } else if (manager == d->stringManager) {
        // Text goes through the line editor's hand-over, not the manager.
        d->stringManager->setValue(property, value);
        textEdited(value);
        vTextEditFinished();
    } else {
        qCWarning(lcParameters) << id << "is not an editable value";
        return Step::StepRefused;
    }
    return Step::StepDone;
}

int SensorWindow::nClickTreeButton(const QString &id)
{
    QtProperty *property = findProperty(id);
    if (!property || property->propertyId() != id)
        return Step::StepUnknownId;
    if (property->propertyManager() != d->buttonManager || !property->isEnabled())
        return Step::StepRefused;
    d->buttonManager->click(property);
    return Step::StepDone;
}

void SensorWindow::vChoosePort(const QString &port)
{
    QComboBox *selector = d->portSelector;
    const int index = selector->findText(port);
    if (index <= 1) {
        qCWarning(lcConnection) << "port" << port << "is not offered";
        return;
    }
    selector->setCurrentIndex(index);
    emit selector->activated(index);
}

bool SensorWindow::bConnectionComplete() const
{
    return connected && !bWorking();
}

bool SensorWindow::bWorking() const
{
    return (d->progressDialog && d->progressDialog->isVisible()) || d->blockingSends > 0 || delayTimer.isActive()
           || d->teachTimer.isActive();
}

} // namespace Core
} // namespace DirazSensorPlugin
