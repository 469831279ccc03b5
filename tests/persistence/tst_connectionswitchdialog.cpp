#include "persistence/connectionswitchdialog.h"

#include "modaldriver.h"

#include <QGridLayout>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

using DirazSensorPlugin::Core::ConnectionSwitchDialog;

namespace {

// Marks every text of one context so a test sees which context was asked.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (qstrcmp(context, "connectionSwitchingDialog") == 0)
            return QStringLiteral("#") + QString::fromUtf8(sourceText);
        return QString();
    }
    bool isEmpty() const override { return false; }
};

// Runs the dialog modally and does `action` from inside its loop.
int execWith(ConnectionSwitchDialog &dialog, const std::function<void()> &action)
{
    ModalDriver driver([action](QWidget *) { action(); });
    const int result = dialog.exec();
    if (!driver.acted())
        return 99;
    return result;
}

// The application hears of the change first and passes it to each window.
void deliverLanguageChange()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

} // namespace

class TestConnectionSwitchDialog : public QObject
{
    Q_OBJECT
private slots:
    void texts();
    void endings_data();
    void endings();
    void retranslatesInItsOwnContext();
};

void TestConnectionSwitchDialog::texts()
{
    ConnectionSwitchDialog dialog;
    QCOMPARE(dialog.objectName(), QString("connectionSwitchingDialog"));
    QCOMPARE(dialog.windowType(), Qt::SplashScreen);
    QCOMPARE(dialog.windowTitle(), QString("Dialog"));
    auto *grid = dialog.findChild<QGridLayout *>("gridLayout");
    QVERIFY(grid);
    const struct
    {
        const char *name;
        const char *text;
        const char *toolTip;
    } expected[] = {
        {"pcToSensor", "PC -> Sensor", "Sensor settings will be overwritten with the ones from PC"},
        {"sensorToPc", "Sensor -> PC", "PC settings will be overwritten with the ones from the Sensor"},
        {"cancel", "Cancel", ""},
    };
    for (int row = 0; row < 3; ++row) {
        auto *button = dialog.findChild<QPushButton *>(expected[row].name);
        QVERIFY2(button, expected[row].name);
        QCOMPARE(button->text(), QString(expected[row].text));
        QCOMPARE(button->toolTip(), QString(expected[row].toolTip));
        QCOMPARE(grid->itemAtPosition(row, 0)->widget(), button);
    }
}

void TestConnectionSwitchDialog::endings_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::newRow("click PC -> Sensor") << "pcToSensor" << 2;
    QTest::newRow("click Sensor -> PC") << "sensorToPc" << 1;
    QTest::newRow("click Cancel") << "cancel" << 0;
    QTest::newRow("escape") << "escape" << 0;
    QTest::newRow("close") << "close" << 0;
    // Called directly, the slots still replace accept()'s code 1 by their own.
    QTest::newRow("slot PC -> Sensor") << "vPcToSensor" << 2;
    QTest::newRow("slot Sensor -> PC") << "vSensorToPc" << 1;
    QTest::newRow("slot Cancel") << "vCancel" << 0;
}

void TestConnectionSwitchDialog::endings()
{
    QFETCH(QString, how);
    QFETCH(int, result);
    ConnectionSwitchDialog dialog;
    QCOMPARE(execWith(dialog, [&dialog, how] {
                 if (auto *b = dialog.findChild<QPushButton *>(how))
                     QTest::mouseClick(b, Qt::LeftButton);
                 else if (how == "escape")
                     QTest::keyClick(&dialog, Qt::Key_Escape);
                 else if (how == "close")
                     dialog.close();
                 else
                     QMetaObject::invokeMethod(&dialog, qPrintable(how));
             }),
             result);
    QVERIFY(!dialog.isVisible());
}

void TestConnectionSwitchDialog::retranslatesInItsOwnContext()
{
    ConnectionSwitchDialog dialog;
    MarkingTranslator translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    deliverLanguageChange();
    QCOMPARE(dialog.windowTitle(), QString("#Dialog"));
    QCOMPARE(dialog.findChild<QPushButton *>("pcToSensor")->text(), QString("#PC -> Sensor"));
    QCOMPARE(dialog.findChild<QPushButton *>("sensorToPc")->toolTip(),
             QString("#PC settings will be overwritten with the ones from the Sensor"));
    QCOMPARE(dialog.findChild<QPushButton *>("cancel")->text(), QString("#Cancel"));
    // A dialog made while the translator is installed starts translated.
    ConnectionSwitchDialog second;
    QCOMPARE(second.findChild<QPushButton *>("sensorToPc")->text(), QString("#Sensor -> PC"));
    QCoreApplication::removeTranslator(&translator);
    deliverLanguageChange();
    QCOMPARE(dialog.findChild<QPushButton *>("pcToSensor")->text(), QString("PC -> Sensor"));
}

QTEST_MAIN(TestConnectionSwitchDialog)
#include "tst_connectionswitchdialog.moc"
