// Settings files of the sensor window: saving the tree and three chart
// series, loading them back, and writing a loaded set to a connected sensor.

#include "window/sensorwindow.h"

#include "catalogue/catalogue.h"
#include "persistence/dialoglayer.h"
#include "persistence/settingsfile.h"
#include "window/logcategories.h"
#include "window/sensorwindowprivate.h"
#include "window/sensorwindowui.h"

#include <qtboolpropertymanager.h>
#include <qtdoublepropertymanager.h>
#include <qtenumpropertymanager.h>
#include <qtintpropertymanager.h>
#include <qtproperty.h>
#include <qtstringpropertymanager.h>
#include <utils/genericchart.h>

#include <QAction>
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QToolBar>

namespace DirazSensorPlugin {
namespace Core {

namespace {

QString trWindow(const char *text)
{
    return QCoreApplication::translate("SensorWindow", text);
}

// Chart series stored as chartdata1, chartdata2 and chartdata3.
constexpr int kChartSeries[3] = {3, 0, 2};

} // namespace

QString SensorWindow::settingsParameterString() const
{
    QList<SettingsFile::Entry> entries;
    for (QtProperty *property : allSubProperties(rootProperty)) {
        QtAbstractPropertyManager *manager = property->propertyManager();
        const QString id = property->propertyId();
        QString value;
        if (manager == d->enumManager)
            value = QString::number(d->enumManager->value(property));
        else if (manager == d->boolManager)
            value = QString::number(d->boolManager->value(property) ? 1 : 0);
        else if (manager == d->intManager)
            value = QString::number(d->intManager->value(property));
        else if (manager == d->doubleManager)
            value = SettingsFile::formatDouble(d->doubleManager->value(property));
        else if (manager == d->stringManager && !id.contains(QLatin1String("ReadOnly")))
            value = d->stringManager->value(property);
        else
            continue;
        entries.append({id, value});
    }
    return SettingsFile::joinEntries(entries);
}

void SensorWindow::vSaveSettings()
{
    const QString sensorName = QString::fromStdString(sensorRecord.name());
    const QString proposed =
        sensorName + QDate::currentDate().toString(QStringLiteral("'-settings-'dd-MM-yyyy'.wts'"));
    const QString path =
        DialogLayer::saveFileName(this, trWindow("Save As..."), proposed, QStringLiteral("*.wts"));
    if (path.isEmpty())
        return;

    QString charts[3];
    for (int i = 0; i < 3; ++i)
        charts[i] = d->chart ? d->chart->dataToString(kChartSeries[i]) : QString();
    const QByteArray bytes =
        SettingsFile::serialize(QString::fromLatin1(kPluginId), sensorName, settingsParameterString(), charts);
    // The old file goes only once the new one is complete.
    QString error;
    if (!SettingsFile::writeAtomically(path, bytes, &error)) {
        qCWarning(lcPersistence) << "saving settings to" << path << "failed:" << error;
        DialogLayer::critical(this, trWindow("Saving settings..."),
                              trWindow("The settings could not be saved to %1.").arg(path) + QLatin1Char('\n') + error);
    }
}

void SensorWindow::vLoadSettings()
{
    userEdit = false;
    d->continuousDataTimer.stop();
    bOpenSettings(QString());
    jumpToPlottingArea();
    userEdit = true;
    vApplyParameterRules();
    vApplyMeasurementUnitView();
    vApplyObjectInfoView();
    if (connected)
        identifySensor();
}

bool SensorWindow::bOpenSettings()
{
    return bOpenSettings(QString());
}

bool SensorWindow::bOpenSettings(QString fileName)
{
    if (fileName.isEmpty()) {
        fileName = DialogLayer::openFileName(this, trWindow("Sensor Settings (*.wts)"));
        if (fileName.isEmpty())
            return false;
    }
    if (connected
        && DialogLayer::information(this, trWindow("Open Settings"),
                                    trWindow("Loaded settings will override the current project"),
                                    QMessageBox::Ok | QMessageBox::Cancel)
               != QMessageBox::Ok)
        return false;

    QFile file(fileName);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    else
        qCWarning(lcPersistence) << "cannot read settings file" << fileName << ":" << file.errorString();
    SettingsFile::Content content;
    const SettingsFile::Refusal refusal = SettingsFile::parse(
        bytes, QString::fromLatin1(kPluginId), QString::fromStdString(sensorRecord.name()), &content);
    if (refusal != SettingsFile::Refusal::None) {
        const bool corrupted = refusal == SettingsFile::Refusal::Corrupted;
        qCWarning(lcPersistence) << "settings file" << fileName << "refused:" << (corrupted ? "corrupted" : "other sensor");
        DialogLayer::critical(this, trWindow("Opening settings..."),
                              corrupted ? trWindow("The selected settings are corupted")
                                        : trWindow("The selected settings are not for the current sensor"),
                              QMessageBox::Ok);
        return false;
    }

    enableTreeDataHandling(false);
    enableStringManagerHandling(false);
    if (content.hasPluginSettings) {
        pcToSensorChosen = true;
        d->liveData = false;
        if (d->channel)
            d->chartTimer.start();
        if (content.hasTreeData)
            vApplySettingsEntries(SettingsFile::splitEntries(content.treeData));
        if (d->chart) {
            if (content.hasChart[0])
                d->chart->vClearData();
            for (int i = 0; i < 3; ++i) {
                if (!content.hasChart[i])
                    continue;
                d->chart->setDataFromString(kChartSeries[i], content.chart[i], QLatin1Char(';'));
                ui->chartToolbar->setEnabled(true);
            }
        }
    }
    applyUnitLimits();
    enableStringManagerHandling(true);
    enableTreeDataHandling(true);

    if (connected) {
        d->noticeTicks = 280;
        d->showProgress = true;
        vShowProgress(true);
        enableTreeDataHandling(false);
        if (!ui->actionWriting->isChecked())
            ui->actionWriting->setChecked(true);
        d->liveData = true;
        if (d->channel)
            d->chartTimer.start();
        d->pollingAllowed = false;
        writeAllSettings();
        ui->sensorOperationsToolbar->setEnabled(connected);
        d->pollingAllowed = true;
        enableTreeDataHandling(true);
    }
    return true;
}

void SensorWindow::vApplySettingsEntries(const QList<SettingsFile::Entry> &entries)
{
    for (const SettingsFile::Entry &entry : entries) {
        QtProperty *property = findProperty(rootProperty, entry.id.toLatin1().toStdString());
        if (!property)
            continue;
        QtAbstractPropertyManager *manager = property->propertyManager();
        if (manager == d->enumManager) {
            const int index = SettingsFile::leadingInt(entry.value);
            d->enumManager->setValue(property, index);
            if (entry.id == QLatin1String("MesurementUnit"))
                d->measurementUnit = index;
            else if (entry.id == QLatin1String("ObjectInfo"))
                d->objectInfoMode = index;
        } else if (manager == d->boolManager) {
            d->boolManager->setValue(property, SettingsFile::leadingInt(entry.value) != 0, QString(), QString());
        } else if (manager == d->intManager) {
            d->intManager->setValue(property, SettingsFile::leadingInt(entry.value));
        } else if (manager == d->doubleManager) {
            d->doubleManager->setMaximum(property, 100000.0);
            d->doubleManager->setMinimum(property, 0.0);
            d->doubleManager->setValue(property, SettingsFile::leadingDouble(entry.value));
        } else if (manager == d->stringManager) {
            d->stringManager->setValue(property, entry.value);
        }
    }
}

} // namespace Core
} // namespace DirazSensorPlugin
