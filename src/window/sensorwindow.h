#pragma once

#include "catalogue/sensor.h"
#include "persistence/settingsfile.h"

#include <extensionsystem/communicationinterface.h>
#include <extensionsystem/sensorbasic.h>

#include <boost/property_tree/ptree.hpp>

#include <QByteArray>
#include <QMainWindow>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <string>

class QCloseEvent;
class QEvent;
class QResizeEvent;
class QTreeWidgetItem;
class QtBrowserItem;
class QtProperty;
class QtTreePropertyBrowser;
class StateOfDeviceMyDelegate;

namespace DirazSensorPlugin {
namespace Core {

class ComboBoxItemDelegate;
class ComboBoxItemDelegate1;
class SensorWindowPrivate;
class SensorWindowUi;

// The window of one opened sensor. One class by design: its member functions
// live in the folder of the subsystem that owns them (window/ builds it,
// parameters/ the tree and process-data view, comm/, live/, device/,
// persistence/ the rest).
class SensorWindow : public QMainWindow
{
    Q_OBJECT
public:
    using DataFrame = ExtensionSystem::CommunicationInterface::DataFrame;

    explicit SensorWindow(const ExtensionSystem::SensorBasic *sensor);
    // Builds from another catalogue and description file (tests, benchmarks).
    SensorWindow(const ExtensionSystem::SensorBasic *sensor, const std::string &descriptionFile);
    ~SensorWindow() override;

    // The host's channel, lent while a port is registered; null otherwise.
    void setSerialChannel(ExtensionSystem::CommunicationInterface *channel);
    ExtensionSystem::CommunicationInterface *serialChannel() const;

    const Sensor &sensor() const { return sensorRecord; }

    // Lets the distance chart show its newest samples.
    void jumpToPlottingArea();

    // --- plugin: steps the host drives in unattended runs ---
    // Results are PluginInterface::StepResult values.
    int nSetParameterAsEditor(const QString &id, const QString &value);
    int nClickTreeButton(const QString &id);
    // Chooses the port in the selector as a person would.
    void vChoosePort(const QString &port);
    // Identified, and no notice or transfer still running.
    bool bConnectionComplete() const;
    bool bWorking() const;

    // Actions, toolbars and status bar; the interface object reads the
    // live-data action.
    std::unique_ptr<SensorWindowUi> ui;

signals:
    void vAboutToClose();
    void vSendData(QString text);
    void vSendFrame(ExtensionSystem::CommunicationInterface::DataFrame frame);
    void vComPortSelected(QString port);
    void vUpdateChart(double value);
    void sendQuery();

public slots:
    void vOpenManual();
    void updateChart();
    void updateComPortList(QStringList ports);
    void vRestoreFactorySettings();
    void vExportChartData();
    void vClearHistory();
    void vPrintDocument();
    void setWindowActive(bool active);
    void vAutoConnect(QString ComPort);
    void vSensorUpdate(QVariant mode);
    void vSetCompleteName(QString str);
    void vSaveSettings();
    bool bOpenSettings(QString fileName);
    bool bOpenSettings();
    void independentPlotZoomedSlot(int chart);
    void resetIndependentPlotSlot(int chart);
    void resizeIndependentPlotSlot(int chart);
    void actionDock();
    void updateCheckState(QTreeWidgetItem *it, int col);
    void textEdited(QString text);
    void vTextEditFinished();
    void vStateChanged(int state);
    void vLoadSettings();
    void updateWindowTitle();
    void vConnectToPort(QString port);
    void vDisconnect();
    void enableStatusChecking(bool enabled);
    void removeSubProperties(QtProperty *property);
    void queryStatusData(uint index);
    void queryStatusData();
    void queryChartData();
    void slotContinousDataTimeout();
    bool bCheckConnection();
    bool bConnectToSensor();
    void itemSelected(QtBrowserItem *item);
    void intValueChanged(QtProperty *property, int value);
    void doubleValueChanged(QtProperty *property, double value);
    void boolValueChanged(QtProperty *property, bool value);
    void enumValueChanged(QtProperty *property, int value);
    void stringValueChanged(QtProperty *property, QString value);
    void buttonClicked(QtProperty *property);
    void sendDataFrame(ExtensionSystem::CommunicationInterface::DataFrame *frame, bool showUi);
    void sendDataFrame(ExtensionSystem::CommunicationInterface::DataFrame *frame);
    void slotCurrentOutputChanged(int index);
    void chartThresholdChanged(uint mark, double value);
    void chartThresholdChanged1(uint mark, double value);
    void enableTreeDataHandling(bool enabled);
    void enableStringManagerHandling(bool enabled);
    void actionEnableLiveData();
    void actionConnectSensor(int state);
    void sendDelayValue();
    void vUpdateProgressBar();
    void vWriteAllSettings(bool checked);
    void writeAllSettings();
    void vRadAllSettings(bool checked);
    void signalWriteModeIcon(bool signalIcon);
    void signalWriteModeIcon();
    void vZommResetForNoiseLine();
    void comboIndexChangedString(QString text);
    void comboIndexChangedInt(int index);
    void slotUpdatingTeachValues();
    // The host's presentation mode.
    void vSensorUpdate(bool mode);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

    // --- window (construction and language) ---
    void vBuildObservationDock();
    void vBuildCharts();
    void vSetUpIndependentPlot();
    void vRetranslateViews();
    void vRetranslateChartTitles();

    // --- parameters: description document and property tree ---
    void vCreatePropertyComponents();
    bool bLoadPropertyTree();
    void vAddPropertyNode(const boost::property_tree::ptree &node, QtProperty *parent, bool useDefaults);
    void vRetranslatePropertyNode(const boost::property_tree::ptree &node);
    QtProperty *findProperty(QtProperty *parent, const std::string &id) const;
    QtProperty *findProperty(const QString &id) const;
    QList<QtProperty *> allSubProperties(QtProperty *parent) const;
    void vSetPropertyVisible(const QString &id, bool visible);
    void vEnableEditableProperties();
    QString nodeCaption(const boost::property_tree::ptree &node) const;
    QStringList nodeEntryCaptions(const boost::property_tree::ptree &node) const;

    // --- parameters: editing hand-over ---
    void vParameterEdited(QtProperty *p, const QVariant &value);

    // --- parameters: process data and device state ---
    void vBuildProcessDataView();
    void vAddGuiCategoryEntry(const boost::property_tree::ptree &entry, int position);
    void setStatusRowToolTip(int position, const QString &text);
    void vMarkProcessDataStale(bool stale);

    // --- parameters: read all and write all ---
    void vShowProgress(bool show);
    void vReadAllParameters();
    void vReportTransferProgress(int done, int total);
    bool bNoticeCancelled() const;
    void vCancelNotice();
    void vGoOfflineAfterCancel();

    // --- comm: transport and connection ---
    bool bSendCommand(std::string command, bool useWindowFlag);
    QByteArray queryCommand(std::string command, std::string expectedAnswer);
    enum class IdentifyOutcome { Matched, Mismatch, Lossy };
    IdentifyOutcome identifySensor();
    bool bStartConnectionAttempt(int noticeTicks);
    void vCloseConnectionNotice();
    void vCompleteReadingConnection();
    void vShowConnectionState();
    bool bLineSilent() const;
    void vAbandonSilentSensor();

    // --- live: polling ---
    void vStartPoll();
    void vHandlePollAnswer(unsigned int id);
    void vSensorLost();

    // --- live: decoding and units ---
    void decodeProcessData(QString hex);
    void decodeObjectInfo(QString hex);
    void applyUnitLimits();
    void convertUnitValues();
    void applyAnalogScale();
    void finishIdentification();
    // Reads distance parameters from the device (which answers in
    // millimetres) and shows them in the window's unit.
    void vReadDistancesBack(const QStringList &ids);

    // --- device: read, rules, teach-in, variants, defaults ---
    bool bReadParameter(QString id, bool showUi);
    void readIdentification();
    void vApplyReadAnswer(const QString &id, QtProperty *property, int size, const QByteArray &answer);
    void vApplyTextAnswer(const QString &id, QtProperty *property, const QByteArray &answer);
    void vApplyEnumAnswer(const QString &id, QtProperty *property, const QByteArray &answer);
    // Reads each id of ReadRetryList once more, newest first, then empties it.
    void vRetryFailedReads(int pauseAfterEachMs);
    // How sendDelayValue goes on after the value rules.
    enum class WriteStep { Send, Done, SkipToEnd };
    WriteStep vComputeDeviceValue(QtProperty *property, const QVariant &value, std::int64_t *v, bool *unitEdited);
    void vComputeDistanceValue(QtProperty *property, double value, std::int64_t *v);
    void vComputeEnumValue(QtProperty *property, int index, std::int64_t *v, bool *unitEdited);
    WriteStep vComputeButtonValue(QtProperty *property, std::int64_t *v);
    void vApplyMeasurementUnitView();
    void vApplyObjectInfoView();
    void vApplyParameterRules();
    void vApplyTestModeRules(bool on);
    void vApplyDetectionRangeLimits();
    void vSyncThresholds(QString id);
    void vSendDeviceAction(QString id);
    void vApplySensorVariant();
    void vApplyErrorWarningNames(QString variantKey);
    void vApplyVariantEntry(const QString &product, const QString &key, const boost::property_tree::ptree &variant);
    QStringList descriptionEntryNames(const QString &id) const;
    QStringList variantEntryNames(const QString &id, QStringList names, const QString &key) const;
    void vSetVariantEntryNames(const QString &id, const QString &key);
    void vSendFactoryReset();

    // --- persistence: settings files ---
    QString settingsParameterString() const;
    void vApplySettingsEntries(const QList<SettingsFile::Entry> &entries);

    // Created first, deleted last: timers, managers, docks, chart, state.
    std::unique_ptr<SensorWindowPrivate> d;

    // Where the catalogue and the parameter description are read from.
    std::string descriptionFile;
    Sensor sensorRecord;
    QtTreePropertyBrowser *propertyBrowser = nullptr;
    boost::property_tree::ptree descriptionTree;
    ComboBoxItemDelegate *comboBoxDelegate = nullptr;
    ComboBoxItemDelegate1 *checkBoxDelegate = nullptr;
    StateOfDeviceMyDelegate *stateOfDeviceDelegate = nullptr;
    QTimer delayTimer;
    bool connected = false;
    bool pcToSensorChosen = false;

    // Parameter bookkeeping filled while the tree is built.
    QtProperty *rootProperty = nullptr;
    QMap<QString, QString> propertyAddresses;   // id -> "index;subIndex;size"
    QMap<QString, QStringList> propertyItemTexts;
    QStringList hiddenPropertyIds;
    QList<QtProperty *> collapsedCategories;

    // Edit hand-over to the delayed write; the second slot wins when set.
    QtProperty *pendingProperty[2] = {nullptr, nullptr};
    QVariant pendingValue[2];
    QtProperty *selectedProperty = nullptr;
    bool userEdit = true;
    bool retranslating = false;

private:
    void vConstruct(const ExtensionSystem::SensorBasic *sensor);
};

} // namespace Core
} // namespace DirazSensorPlugin
