#include <utils/buttonfactory.h>
#include <utils/buttonmanager.h>
#include <utils/plotdocument.h>

#include <QPushButton>
#include <QtTest>
#include <qwt_plot.h>

// Small host widgets: plot printing without a plot and the push-button properties.
class TestWidgets : public QObject
{
    Q_OBJECT
private slots:
    // Writing the chart to PDF is checked through the window's print.
    void plotDocumentWithoutPlotWritesNothing()
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

    void buttonEditorClicksReachTheManager()
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
};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
