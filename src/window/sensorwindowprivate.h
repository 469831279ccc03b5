#pragma once

#include "live/polltransport.h"
#include "parameters/outputoctet.h"

#include <extensionsystem/communicationinterface.h>

#include <QElapsedTimer>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QDialog;
class QDockWidget;
class QGridLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QtBoolPropertyManager;
class QtDoublePropertyManager;
class QtDoubleSpinBoxFactory;
class QtEnumEditorFactory;
class QtEnumPropertyManager;
class QtGroupPropertyManager;
class QtIntPropertyManager;
class QtLineEditFactory;
class QtSpinBoxFactory;
class QtStringPropertyManager;

namespace Utils {
class ButtonFactory;
class ButtonManager;
class ConnectionStatus;
class ThresholdMultiManager;
class ThresholdWindowWidgetGeneric;
class ThresholdWindowWidgetUniversal;
namespace Charts {
class GenericChart;
}
} // namespace Utils

namespace DirazSensorPlugin {
namespace Core {

// The sensor window's private data. Widgets here are parented to the window
// (or to a dock) and die with it; the timers are owned by value.
class SensorWindowPrivate
{
public:
    SensorWindowPrivate();
    ~SensorWindowPrivate();
    SensorWindowPrivate(const SensorWindowPrivate &) = delete;
    SensorWindowPrivate &operator=(const SensorWindowPrivate &) = delete;

    // Transport and connection state.
    // Lent by the host, which may delete it when it takes the port back.
    QPointer<ExtensionSystem::CommunicationInterface> channel;
    bool liveData = false;
    bool showProgress = true;
    bool pollingAllowed = false;
    bool afterConnect = false;
    bool autoConnecting = false;
    bool connectionReady = false;
    int noticeTicks = 800;
    int lastPortIndex = 0;
    // Requests in a row that got no answer at all; a whole-set pass stops
    // on it instead of waiting out every time-out of a silent device.
    int unansweredInARow = 0;
    QString selectedSensorId;
    QString connectedProductName;
    QString completeName;

    // Polling.
    QTimer chartTimer;
    QTimer continuousDataTimer;
    QTimer teachTimer;
    QTimer writeIconTimer;
    QMutex pollMutex; // not recursive: held for the whole of each poll step
    PollTransport poll;
    // Poll answers that arrived while the poll step was busy.
    QList<unsigned int> deferredPollAnswers;
    int objectInfoMode = 0;

    // Decoding and units.
    int measurementUnit = 0; // 1 inch; 0, 2, 3 millimetres
    int lastDistance = 0;
    int lastSpeed = 0;
    int lastIntensity = 0;
    int zeroAnswerCount = 0;
    bool specialShown = false;
    // Status LED icons, kept so their rendered pictures are reused.
    QHash<QString, QIcon> ledIcons;
    QString axisUnitText = QStringLiteral(" (mm)");
    QString distanceUnitText = QStringLiteral(" mm");
    QString speedUnitText = QStringLiteral("mm/s");

    // Variant and limits (millimetres).
    int maxRange = 100000;
    int objMaxRange = 100001;
    int minRange = 50;
    int objMinRange = 50;
    bool analogPresent = false;
    bool bluetoothPresent = true;
    bool highRangeVariant = false;
    QString variantKey;
    int teachLockedRaw = 0;
    QString sensorNumberText; // last text read from "SensorNumberReadOnly"
    QStringList ReadRetryList;

    // Text editing in the tree.
    QString editedText;
    bool textEditPending = false;

    // Language of captions; "en" until the sensor record says otherwise.
    std::string language = "en";

    // Property managers and editor factories (parented to the tree dock).
    QtBoolPropertyManager *boolManager = nullptr;
    QtIntPropertyManager *intManager = nullptr;
    QtDoublePropertyManager *doubleManager = nullptr;
    QtStringPropertyManager *stringManager = nullptr;
    QtEnumPropertyManager *enumManager = nullptr;
    QtGroupPropertyManager *groupManager = nullptr;
    Utils::ButtonManager *buttonManager = nullptr;
    QtSpinBoxFactory *spinBoxFactory = nullptr;
    QtDoubleSpinBoxFactory *doubleSpinBoxFactory = nullptr;
    QtLineEditFactory *lineEditFactory = nullptr;
    QtEnumEditorFactory *enumEditorFactory = nullptr;
    Utils::ButtonFactory *buttonFactory = nullptr;

    // Docks and the trees of the process-data view.
    QDockWidget *propertyTreeDock = nullptr;
    QDockWidget *observationDock = nullptr;
    QDockWidget *processDataDock = nullptr;
    QTreeWidget *observationTree = nullptr;
    QTreeWidget *processDataTree = nullptr;
    QTreeWidgetItem *measurementValueItem = nullptr;
    QTreeWidgetItem *deviceToMasterItem = nullptr;
    QTreeWidgetItem *masterToDeviceItem = nullptr;
    QTreeWidgetItem *objectInformationItem = nullptr;
    QTreeWidgetItem *objectItems[4] = {nullptr, nullptr, nullptr, nullptr};
    QList<QTreeWidgetItem *> stateRows;
    // The output boxes as last acted on, and whether the shown values are
    // those of a sensor that is gone.
    OutputRowStates shownOutputStates = kInitialOutputStates;
    bool processDataStale = false;
    QStringList processDataCaptions;
    QMap<QString, int> processDataIndex;

    // Charts and markers.
    Utils::Charts::GenericChart *chart = nullptr;
    QList<Utils::ThresholdWindowWidgetUniversal *> rangeMarkers;
    QList<Utils::ThresholdWindowWidgetGeneric *> thresholdMarkers;
    Utils::ThresholdMultiManager *thresholdManager = nullptr;
    Utils::ThresholdWindowWidgetUniversal *universalThreshold = nullptr; // plot 3's
    QComboBox *outputSelector = nullptr;

    // Status bar and connection toolbar.
    Utils::ConnectionStatus *connectionStatus = nullptr;
    QLabel *statusLabel = nullptr;
    QComboBox *portSelector = nullptr;
    QLabel *operationsSpacer = nullptr;

    // Progress notice of the bulk transfers and the connection.
    QDialog *progressDialog = nullptr;
    QGridLayout *progressLayout = nullptr;
    QProgressBar *progressBar = nullptr;
    QLabel *progressLabel = nullptr;
    QPushButton *progressButton = nullptr;
    // One tick chain of the notice at a time; it waits while a blocking
    // send runs (blockingSends), so a connection completes before its end.
    QTimer noticeTimer;
    int blockingSends = 0;
    QElapsedTimer noticeClock;   // since the notice opened: its minimum time
    bool noticeCancelled = false; // Escape or the button; the work stops
    int transferTotal = 0;        // parameters of the pass in progress; 0 none
};

} // namespace Core
} // namespace DirazSensorPlugin
