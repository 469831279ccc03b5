#include <utils/buttonfactory.h>
#include <utils/buttonmanager.h>
#include <utils/connectionstatus.h>
#include <utils/plotdocument.h>

#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <qwt_plot.h>
#include <qwt_plot_curve.h>

// Small host widgets: the connection indicator, plot printing and the
// push-button properties.
class TestWidgets : public QObject
{
    Q_OBJECT
private slots:
    void connectionStatusFollowsState();
    void plotDocumentWritesPdf();
    void plotDocumentWithoutPlotWritesNothing();
    void buttonManagerValues();
    void buttonEditorClicksReachTheManager();
};

void TestWidgets::connectionStatusFollowsState()
{
    Utils::ConnectionStatus status;
    QSignalSpy spy(&status, &Utils::ConnectionStatus::connectedChanged);
    QVERIFY(!status.isConnected());
    const QString offline = status.text();
    status.setConnected(true);
    QVERIFY(status.isConnected());
    QVERIFY(status.text() != offline);
    status.setConnected(true); // no change, no signal
    status.setConnected(false);
    QVERIFY(!status.isConnected());
    QCOMPARE(status.text(), offline);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).toBool(), true);
    QCOMPARE(spy.at(1).at(0).toBool(), false);
}

void TestWidgets::plotDocumentWritesPdf()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QwtPlot plot;
    auto *curve = new QwtPlotCurve(QStringLiteral("Distance"));
    curve->setSamples(QVector<QPointF>{{0, 100}, {1, 400}, {2, 250}});
    curve->attach(&plot);
    plot.resize(500, 300);
    plot.replot();

    const QString path = dir.filePath(QStringLiteral("chart.pdf"));
    Utils::PlotDocument document(&plot);
    document.setTitle(QStringLiteral("Distance"));
    QVERIFY(document.bPrintToPdf(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.size() > 1000);
    QVERIFY(file.read(5) == "%PDF-");
}

void TestWidgets::plotDocumentWithoutPlotWritesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("none.pdf"));
    auto *plot = new QwtPlot;
    Utils::PlotDocument document(plot);
    delete plot;
    QVERIFY(!document.bPrintToPdf(path));
    document.vPrintDocument(path); // must neither crash nor ask
    QVERIFY(!QFile::exists(path));
}

void TestWidgets::buttonManagerValues()
{
    Utils::ButtonManager manager;
    QtProperty *property = manager.addProperty(QStringLiteral("Teach"));
    QSignalSpy spy(&manager, &Utils::ButtonManager::valueChanged);
    manager.setValue(property, QStringLiteral("Teach now"));
    manager.setValue(property, QStringLiteral("Teach now"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(manager.value(property), QStringLiteral("Teach now"));
    QCOMPARE(property->valueText(), QStringLiteral("Teach now"));

    Utils::ButtonManager other;
    manager.setValue(nullptr, QStringLiteral("x"));
    QCOMPARE(other.value(property), QString());
}

void TestWidgets::buttonEditorClicksReachTheManager()
{
    Utils::ButtonManager manager;
    Utils::ButtonFactory factory;
    factory.addPropertyManager(&manager);
    QtProperty *property = manager.addProperty(QStringLiteral("Reset"));
    QList<QtProperty *> clicked;
    connect(&manager, &Utils::ButtonManager::buttonClicked, this,
            [&clicked](QtProperty *p) { clicked.append(p); });

    QWidget parent;
    auto *button = qobject_cast<QPushButton *>(factory.createEditor(property, &parent));
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("Reset")); // the name while no value
    manager.setValue(property, QStringLiteral("Restore"));
    QCOMPARE(button->text(), QStringLiteral("Restore"));

    button->click();
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0), property);

    property->setEnabled(false);
    QVERIFY(!button->isEnabled());
    manager.click(property);
    QCOMPARE(clicked.count(), 1);

    delete button; // the factory forgets it
    manager.setValue(property, QStringLiteral("Again"));
}

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
