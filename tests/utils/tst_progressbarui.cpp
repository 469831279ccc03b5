#include <utils/progressbarui.h>

#include <QtTest>

using Utils::ProgressBarUi;

class TestProgressBarUi : public QObject
{
    Q_OBJECT
private slots:
    void otherIdsDoNotEndTheWait_data()
    {
        QTest::addColumn<QList<unsigned int>>("others");
        QTest::newRow("none") << QList<unsigned int>{};
        QTest::newRow("one other") << QList<unsigned int>{4};
        QTest::newRow("several, including zero") << QList<unsigned int>{0, 4, 6, 42};
    }

    void otherIdsDoNotEndTheWait()
    {
        QFETCH(QList<unsigned int>, others);
        ProgressBarUi ui;
        ui.setShowUi(false);
        QList<unsigned int> seenWhileWaiting;
        // Each exit is queued behind the previous one, so they arrive in order
        // while exec waits; the wait must last until the last one, id 5.
        QList<unsigned int> sequence = others;
        sequence.append(5);
        for (unsigned int id : sequence) {
            QTimer::singleShot(0, &ui, [&ui, &seenWhileWaiting, id] {
                if (ui.isWaiting())
                    seenWhileWaiting.append(id);
                ui.exit(id);
            });
        }
        QCOMPARE(ui.exec(5), 1);
        QCOMPARE(seenWhileWaiting, sequence);
    }

    // An exit before the wait ends it at once, and only that one wait.
    void earlyExitIsUsedOnce()
    {
        ProgressBarUi ui;
        ui.setShowUi(false);
        ui.exit(3);
        bool eventLoopRan = false;
        QTimer::singleShot(0, &ui, [&] { eventLoopRan = true; });
        QCOMPARE(ui.exec(3), 1);
        QVERIFY(!eventLoopRan);
        bool stillWaiting = false;
        QTimer::singleShot(0, &ui, [&] {
            stillWaiting = ui.isWaiting();
            ui.exit(3);
        });
        QCOMPARE(ui.exec(3), 1);
        QVERIFY(stillWaiting);
    }

    // Seen only while it waits, and only when asked to show itself.
    void shownOnlyWhenAsked_data()
    {
        QTest::addColumn<bool>("showUi");
        QTest::newRow("shown") << true;
        QTest::newRow("hidden") << false;
    }

    void shownOnlyWhenAsked()
    {
        QFETCH(bool, showUi);
        QWidget parent;
        parent.show();
        ProgressBarUi *ui = new ProgressBarUi(&parent);
        ui->setModal(showUi);
        ui->setShowUi(showUi);
        bool visible = !showUi;
        QTimer::singleShot(0, ui, [&] {
            visible = ui->isVisible();
            ui->exit(9);
        });
        QCOMPARE(ui->exec(9), 1);
        QCOMPARE(visible, showUi);
        QVERIFY(!ui->isVisible());
    }

    void cannotBeClosedWhileWaiting()
    {
        ProgressBarUi ui;
        ui.setShowUi(true);
        bool waitingAfterReject = false;
        QTimer::singleShot(0, &ui, [&] {
            ui.reject();
            ui.close();
            waitingAfterReject = ui.isWaiting();
            ui.exit(2);
        });
        QCOMPARE(ui.exec(2), 1);
        QVERIFY(waitingAfterReject);
    }

    void exitFromAnotherThread()
    {
        ProgressBarUi ui;
        ui.setShowUi(false);
        QThread *worker = QThread::create([&ui] { ui.exit(11); });
        QTimer::singleShot(0, &ui, [worker] { worker->start(); });
        QCOMPARE(ui.exec(11), 1);
        QVERIFY(worker->wait(10000));
        delete worker;
    }
};

QTEST_MAIN(TestProgressBarUi)
#include "tst_progressbarui.moc"
