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
    void layoutAndTexts();
    void buttons_data();
    void buttons();
    void escapeAndCloseCancel_data();
    void escapeAndCloseCancel();
    void slotsEndTheDialogWithTheirCode();
    void retranslatesInItsOwnContext();
};

void TestConnectionSwitchDialog::layoutAndTexts()
{
    ConnectionSwitchDialog dialog;
    QCOMPARE(dialog.objectName(), QString("connectionSwitchingDialog"));
    QVERIFY(dialog.parent() == nullptr);
    QCOMPARE(dialog.windowType(), Qt::SplashScreen); // flags value 15
    QCOMPARE(dialog.size(), QSize(225, 120));
    QCOMPARE(dialog.minimumSize(), QSize(101, 0));
    QCOMPARE(dialog.maximumSize(), QSize(300, 200));
    QCOMPARE(dialog.windowTitle(), QString("Dialog"));
    QCOMPARE(dialog.result(), 0);
    QVERIFY(dialog.styleSheet().contains("QWidget#connectionSwitchingDialog"));
    QVERIFY(dialog.styleSheet().contains(":/newPrefix/icons/button.svg"));

    auto *grid = dialog.findChild<QGridLayout *>("gridLayout");
    QVERIFY(grid);
    const struct
    {
        const char *name;
        int row;
        const char *text;
        const char *toolTip;
    } expected[] = {
        {"pcToSensor", 0, "PC -> Sensor", "Sensor settings will be overwritten with the ones from PC"},
        {"sensorToPc", 1, "Sensor -> PC", "PC settings will be overwritten with the ones from the Sensor"},
        {"cancel", 2, "Cancel", ""},
    };
    for (const auto &e : expected) {
        auto *button = dialog.findChild<QPushButton *>(e.name);
        QVERIFY2(button, e.name);
        QCOMPARE(button->text(), QString(e.text));
        QCOMPARE(button->toolTip(), QString(e.toolTip));
        QCOMPARE(grid->itemAtPosition(e.row, 0)->widget(), button);
        QCOMPARE(button->minimumHeight(), 30);
        QCOMPARE(button->maximumWidth(), 150);
    }
    QVERIFY(!dialog.findChild<QPushButton *>("pcToSensor")->isFlat());
}

void TestConnectionSwitchDialog::buttons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("PC -> Sensor") << "pcToSensor" << 2;
    QTest::newRow("Sensor -> PC") << "sensorToPc" << 1;
    QTest::newRow("Cancel") << "cancel" << 0;
}

void TestConnectionSwitchDialog::buttons()
{
    QFETCH(QString, button);
    QFETCH(int, result);
    ConnectionSwitchDialog dialog;
    auto *b = dialog.findChild<QPushButton *>(button);
    QVERIFY(b);
    QCOMPARE(execWith(dialog, [b] { QTest::mouseClick(b, Qt::LeftButton); }), result);
    QVERIFY(!dialog.isVisible());
}

void TestConnectionSwitchDialog::escapeAndCloseCancel_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("escape") << true;
    QTest::newRow("close") << false;
}

void TestConnectionSwitchDialog::escapeAndCloseCancel()
{
    QFETCH(bool, escape);
    ConnectionSwitchDialog dialog;
    const int result = execWith(dialog, [&dialog, escape] {
        if (escape)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            dialog.close();
    });
    QCOMPARE(result, 0);
}

void TestConnectionSwitchDialog::slotsEndTheDialogWithTheirCode()
{
    // Called directly (as a subclass or the window might), the slots still
    // replace accept()'s code 1 by their own.
    ConnectionSwitchDialog dialog;
    QCOMPARE(execWith(dialog, [&dialog] { dialog.vPcToSensor(); }), 2);
    QCOMPARE(execWith(dialog, [&dialog] { dialog.vCancel(); }), 0);
    QCOMPARE(execWith(dialog, [&dialog] { dialog.vSensorToPc(); }), 1);
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
