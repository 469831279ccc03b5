// The German catalogue as the host uses it: installing the translator switches
// the texts of the sensor window and of the connection switch dialog to
// German, removing it switches them back.

#include "k4ktest.h"
#include "sensorwindowprobe.h"

#include "catalogue/catalogue.h"
#include "persistence/connectionswitchdialog.h"

#include <extensionsystem/globals.h>
#include <qttreepropertybrowser.h>
#include <utils/genericchart.h>
#include <utils/thresholdwindowwidgetgeneric.h>

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include <functional>

using namespace K4KTest;
using namespace DirazSensorPlugin::Core;
using ExtensionSystem::Globals;

namespace {

using WindowText = std::function<QString(SensorWindowProbe &)>;

QString actionText(QWidget &w, const char *name, QString (QAction::*text)() const)
{
    const auto *action = w.findChild<QAction *>(QLatin1String(name));
    return action ? (action->*text)() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

// The application posts the language change to the top-level widgets when a
// translator comes or goes; deliver it now.
void install(QTranslator *translator)
{
    QCoreApplication::installTranslator(translator);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

void remove(QTranslator *translator)
{
    QCoreApplication::removeTranslator(translator);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

// Texts the window shows outside the parameter tree, whose captions come from
// the description file and not from the catalogue.
QStringList shownTexts(QWidget &window, const QWidget *skip)
{
    QStringList texts;
    const auto add = [&texts](const QString &text) {
        if (!text.isEmpty())
            texts << text;
    };
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        if (widget == skip || skip->isAncestorOf(widget))
            continue;
        add(widget->windowTitle());
        add(widget->toolTip());
        if (const auto *label = qobject_cast<QLabel *>(widget))
            add(label->text());
        if (const auto *combo = qobject_cast<QComboBox *>(widget))
            for (int i = 0; i < combo->count(); ++i)
                add(combo->itemText(i));
        if (auto *tree = qobject_cast<QTreeWidget *>(widget))
            for (QTreeWidgetItemIterator it(tree); *it; ++it)
                for (int column = 0; column < (*it)->columnCount(); ++column)
                    add((*it)->text(column));
    }
    for (const QAction *action : window.findChildren<QAction *>()) {
        add(action->text());
        add(action->toolTip());
        add(action->statusTip());
    }
    return texts;
}

} // namespace

Q_DECLARE_METATYPE(WindowText)

class TranslationTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        Globals::setLanguage("en");
        const QString file = qEnvironmentVariable("K4K_BIN") + "/translations/IoLinkK4Kv7family_de.qm";
        QVERIFY2(german.load(file), qPrintable(file));
    }

    void cleanup()
    {
        QCoreApplication::removeTranslator(&german);
    }

    void windowTextsFollowTheTranslator_data()
    {
        QTest::addColumn<WindowText>("text");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("deutsch");

        // Texts the general check below leaves out, and one that must come back.
        QTest::newRow("action text")
            << WindowText([](SensorWindowProbe &w) { return actionText(w, "actionSave_Settings", &QAction::text); })
            << "Save Settings" << "Einstellungen speichern";
        QTest::newRow("property tree dock")
            << WindowText([](SensorWindowProbe &w) { return w.p().propertyTreeDock->windowTitle(); })
            << "Property tree" << "Parameterbaum";
        QTest::newRow("status bit state")
            << WindowText([](SensorWindowProbe &w) { return w.p().stateRows.value(3)->text(3); })
            << "Off" << "Aus";
        QTest::newRow("master to device state")
            << WindowText([](SensorWindowProbe &w) { return w.p().stateRows.value(11)->text(3); })
            << "On" << "Ein";
        QTest::newRow("chart title")
            << WindowText([](SensorWindowProbe &w) { return w.p().chart->plotTitle(0); })
            << " Speed" << " Geschwindigkeit";
        QTest::newRow("chart mark")
            << WindowText([](SensorWindowProbe &w) {
                   return w.p().thresholdMarkers.value(0)->markLabel(Utils::ThresholdWidgetBase::MiddleMark);
               })
            << "Threshold" << "Schaltpunkt";
    }

    void windowTextsFollowTheTranslator()
    {
        QFETCH(WindowText, text);

        const ExtensionSystem::SensorBasic model = catalogueModel();
        QVERIFY(!model.name().empty());
        SensorWindowProbe w(&model, shippedDescription());

        install(&german);
        QTEST(text(w), "deutsch");

        remove(&german);
        QTEST(text(w), "english");
    }

    void noCatalogueTextStaysEnglishInTheWindow()
    {
        const ExtensionSystem::SensorBasic model = catalogueModel();
        SensorWindowProbe w(&model, shippedDescription());
        install(&german);

        // Known gaps of the window's language change (see the expected failures above).
        const QStringList notSwitched = {"Property tree", "On", "Off"};
        QStringList english;
        for (const QString &text : shownTexts(w, w.propertyBrowser)) {
            const QString translated = german.translate("SensorWindow", text.toUtf8().constData());
            if (!translated.isEmpty() && translated != text && !notSwitched.contains(text))
                english << text;
        }
        english.removeDuplicates();
        QCOMPARE(english, QStringList());
    }

    void dialogTextsFollowTheTranslator_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("toolTip");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("deutsch");

        QTest::newRow("pc to sensor tool tip") << "pcToSensor" << true
            << "Sensor settings will be overwritten with the ones from PC"
            << "Die Sensoreinstellungen werden mit denen des PCs überschrieben";
        QTest::newRow("sensor to pc tool tip") << "sensorToPc" << true
            << "PC settings will be overwritten with the ones from the Sensor"
            << "Die PC-Einstellungen werden mit denen des Sensors überschrieben";
        QTest::newRow("cancel text") << "cancel" << false << "Cancel" << "Abbrechen";
    }

    void dialogTextsFollowTheTranslator()
    {
        QFETCH(QString, button);
        QFETCH(bool, toolTip);

        ConnectionSwitchDialog dialog;
        const auto *pushButton = dialog.findChild<QPushButton *>(button);
        QVERIFY(pushButton);
        const auto shown = [&] { return toolTip ? pushButton->toolTip() : pushButton->text(); };

        install(&german);
        QTEST(shown(), "deutsch");
        remove(&german);
        QTEST(shown(), "english");
    }

private:
    QTranslator german;
};

QTEST_MAIN(TranslationTest)
#include "tst_translation.moc"
