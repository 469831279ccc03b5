#pragma once

// A sensor window whose internals tests may look at, and small description
// documents to build it from (written with DescriptionFile of k4ktest.h).

#include "comm/pause.h"
#include "persistence/dialoglayer.h"
#include "window/sensorwindow.h"
#include "window/sensorwindowprivate.h"
#include "window/sensorwindowui.h"

#include <extensionsystem/globals.h>
#include <qtbrowseritem.h>
#include <qtproperty.h>
#include <qttreepropertybrowser.h>

#include <QString>

namespace K4KTest {

// Window tests run in English, without the protocol's pauses, and with every
// dialog answered in advance.
inline void prepareWindowTests()
{
    ExtensionSystem::Globals::setLanguage("en");
    DirazSensorPlugin::Core::setPauseScale(0.0);
    DirazSensorPlugin::Core::DialogLayer::setTestMode(true);
}

class SensorWindowProbe : public DirazSensorPlugin::Core::SensorWindow
{
public:
    using SensorWindow::SensorWindow;

    DirazSensorPlugin::Core::SensorWindowPrivate &p() { return *d; }

    using SensorWindow::allSubProperties;
    using SensorWindow::applyUnitLimits;
    using SensorWindow::bReadParameter;
    using SensorWindow::bSendCommand;
    using SensorWindow::connected;
    using SensorWindow::convertUnitValues;
    using SensorWindow::decodeObjectInfo;
    using SensorWindow::decodeProcessData;
    using SensorWindow::delayTimer;
    using SensorWindow::findProperty;
    using SensorWindow::hiddenPropertyIds;
    using SensorWindow::pcToSensorChosen;
    using SensorWindow::propertyAddresses;
    using SensorWindow::propertyBrowser;
    using SensorWindow::propertyItemTexts;
    using SensorWindow::queryCommand;
    using SensorWindow::readIdentification;
    using SensorWindow::retranslating;
    using SensorWindow::rootProperty;
    using SensorWindow::selectedProperty;
    using SensorWindow::vApplyParameterRules;
    using SensorWindow::vApplySensorVariant;
    using SensorWindow::vEnableEditableProperties;
    using SensorWindow::vSetPropertyVisible;
    using SensorWindow::vShowProgress;

    // Whether the tree shows the parameter (false when it has none).
    bool isShown(const QString &id) const
    {
        QtProperty *p = findProperty(id);
        const QList<QtBrowserItem *> items = p ? propertyBrowser->items(p) : QList<QtBrowserItem *>();
        return !items.isEmpty() && propertyBrowser->isItemVisible(items.first());
    }
};

// One parameter node: kind, id, English caption "<id> en", address 64;0;6,
// then whatever else the test needs.
inline QString node(const QString &type, const QString &id, const QString &extra = QString(),
                    const QString &element = QStringLiteral("property"))
{
    return QStringLiteral("<%1><type>%2</type><id>%3</id><text><en>%3 en</en></text>"
                          "<index>64</index><subIndex>0</subIndex><size>6</size>%4</%1>")
        .arg(element, type, id, extra);
}

// A whole document; a null branch leaves that element out.
inline QString document(const QString &treeNodes, const QString &guiEntries = QString())
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<document>"
                                 "<documentId>IoLinkK4Kv7family</documentId><sensorList/>");
    if (!treeNodes.isNull())
        xml += QStringLiteral("<treeGui><default>") + treeNodes + QStringLiteral("</default></treeGui>");
    if (!guiEntries.isNull())
        xml += QStringLiteral("<guiCategory><default>") + guiEntries + QStringLiteral("</default></guiCategory>");
    return xml + QStringLiteral("</document>\n");
}

} // namespace K4KTest
