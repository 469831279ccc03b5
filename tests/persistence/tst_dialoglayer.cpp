#include "persistence/connectionswitchdialog.h"
#include "persistence/dialoglayer.h"

#include "modaldriver.h"

#include <extensionsystem/globals.h>

#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

using DirazSensorPlugin::Core::ConnectionSwitchDialog;
using DirazSensorPlugin::Core::DialogLayer;

class TestDialogLayer : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        DialogLayer::setTestMode(true);
        DialogLayer::reset();
    }

    void cleanupTestCase()
    {
        DialogLayer::setTestMode(false);
        DialogLayer::reset();
    }

    void preparedAnswers_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("answer");
        QTest::newRow("question") << int(DialogLayer::Kind::Question) << int(QMessageBox::Yes | QMessageBox::No)
                                  << int(QMessageBox::Yes);
        QTest::newRow("information") << int(DialogLayer::Kind::Information)
                                     << int(QMessageBox::Ok | QMessageBox::Cancel) << int(QMessageBox::Ok);
        QTest::newRow("warning") << int(DialogLayer::Kind::Warning) << int(QMessageBox::Ok) << int(QMessageBox::Ok);
        QTest::newRow("critical") << int(DialogLayer::Kind::Critical) << int(QMessageBox::Retry | QMessageBox::Abort)
                                  << int(QMessageBox::Retry);
    }

    void preparedAnswers()
    {
        QFETCH(int, kind);
        QFETCH(int, buttons);
        QFETCH(int, answer);
        const auto k = DialogLayer::Kind(kind);
        const auto b = QMessageBox::StandardButtons(buttons);
        DialogLayer::enqueueAnswer(answer);
        DialogLayer::enqueueAnswer(QMessageBox::Ignore); // left for the next box
        const auto box = k == DialogLayer::Kind::Question      ? &DialogLayer::question
                         : k == DialogLayer::Kind::Information ? &DialogLayer::information
                         : k == DialogLayer::Kind::Warning     ? &DialogLayer::warning
                                                               : &DialogLayer::critical;
        const int result = box(nullptr, "Title", "Text", b, QMessageBox::NoButton);
        QCOMPARE(result, answer);
        QCOMPARE(DialogLayer::pendingAnswers(), 1);
        const auto shown = DialogLayer::shown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(int(shown[0].kind), kind);
        QCOMPARE(shown[0].title, QString("Title"));
        QCOMPARE(shown[0].text, QString("Text"));
        QCOMPARE(shown[0].buttons, b);
        QCOMPARE(shown[0].answer, answer);
        QVERIFY(shown[0].answered);
    }

    void unansweredBoxesTakeTheirEscapeAnswer_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("answer");
        QTest::newRow("ok") << int(QMessageBox::Ok) << int(QMessageBox::Ok);
        QTest::newRow("ok cancel") << int(QMessageBox::Ok | QMessageBox::Cancel) << int(QMessageBox::Cancel);
        QTest::newRow("yes no") << int(QMessageBox::Yes | QMessageBox::No) << int(QMessageBox::No);
        QTest::newRow("yes no cancel") << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)
                                       << int(QMessageBox::Cancel);
    }

    void unansweredBoxesTakeTheirEscapeAnswer()
    {
        QFETCH(int, buttons);
        QTEST(DialogLayer::question(nullptr, "T", "X", QMessageBox::StandardButtons(buttons)), "answer");
        QCOMPARE(DialogLayer::shown().size(), 1);
        QVERIFY(!DialogLayer::shown().constFirst().answered);
        QCOMPARE(DialogLayer::connectionSwitch(), 0); // nothing prepared: cancel
        QCOMPARE(DialogLayer::shown().constLast().kind, DialogLayer::Kind::ConnectionSwitch);
    }

    void answererComesBeforeQueue()
    {
        DialogLayer::enqueueAnswer(QMessageBox::Cancel);
        DialogLayer::setAnswerer([](const DialogLayer::Shown &s) {
            return s.title == "nDorix" ? int(QMessageBox::Ok) : -1;
        });
        QCOMPARE(DialogLayer::information(nullptr, "nDorix", "Sensor settings will be overwritten with the ones from PC",
                                          QMessageBox::Ok | QMessageBox::Cancel),
                 int(QMessageBox::Ok));
        QCOMPARE(DialogLayer::pendingAnswers(), 1);
        // The answerer declines other titles; the queue answers them.
        QCOMPARE(DialogLayer::information(nullptr, "Other", "x", QMessageBox::Ok | QMessageBox::Cancel),
                 int(QMessageBox::Cancel));
        QCOMPARE(DialogLayer::pendingAnswers(), 0);
    }

    void realMessageBoxShowsExactTexts()
    {
        DialogLayer::setTestMode(false);
        QString title;
        QString text;
        QStringList buttonTexts;
        ModalDriver driver([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (!box) {
                w->close();
                return;
            }
            title = box->windowTitle();
            text = box->text();
            for (QAbstractButton *b : box->buttons())
                buttonTexts << b->text();
            box->button(QMessageBox::Cancel)->click();
        });
        const int result = DialogLayer::information(nullptr, "nDorix",
                                                    "Sensor settings will be overwritten with the ones from PC",
                                                    QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(result, int(QMessageBox::Cancel));
        QCOMPARE(title, QString("nDorix"));
        QCOMPARE(text, QString("Sensor settings will be overwritten with the ones from PC"));
        buttonTexts.sort();
        QCOMPARE(buttonTexts, QStringList({"Cancel", "OK"}));
        QVERIFY(DialogLayer::shown().isEmpty()); // only test mode records
    }

    // Each way out of the real dialog gives its own side; every other ending cancels.
    void realConnectionSwitchDialog_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("PC -> Sensor") << "pcToSensor" << 2;
        QTest::newRow("Sensor -> PC") << "sensorToPc" << 1;
        QTest::newRow("Cancel") << "cancel" << 0;
        QTest::newRow("escape") << "escape" << 0;
        QTest::newRow("close") << "close" << 0;
    }

    void realConnectionSwitchDialog()
    {
        QFETCH(QString, how);
        DialogLayer::setTestMode(false);
        bool sawDialog = false;
        ModalDriver driver([&](QWidget *w) {
            sawDialog = qobject_cast<ConnectionSwitchDialog *>(w) != nullptr;
            if (auto *b = w->findChild<QPushButton *>(how))
                QTest::mouseClick(b, Qt::LeftButton);
            else if (how == "escape")
                QTest::keyClick(w, Qt::Key_Escape);
            else
                w->close();
        });
        QTEST(DialogLayer::connectionSwitch(), "result");
        QVERIFY(sawDialog);
    }

    // The host's unattended runs: nothing modal opens, boxes get their
    // confirming button, file dialogs the host's file, and the host learns what
    // a person would have read.
    void unattendedConfirmsAndReports_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("problem");
        using K = DialogLayer::Kind;
        QTest::newRow("question yes no") << int(K::Question) << int(QMessageBox::Yes | QMessageBox::No)
                                         << int(QMessageBox::Yes) << false;
        QTest::newRow("information ok cancel") << int(K::Information) << int(QMessageBox::Ok | QMessageBox::Cancel)
                                               << int(QMessageBox::Ok) << false;
        QTest::newRow("warning ok") << int(K::Warning) << int(QMessageBox::Ok) << int(QMessageBox::Ok) << true;
        QTest::newRow("critical ok") << int(K::Critical) << int(QMessageBox::Ok) << int(QMessageBox::Ok) << true;
    }

    void unattendedConfirmsAndReports()
    {
        QFETCH(int, kind);
        QFETCH(int, buttons);
        QFETCH(bool, problem);
        DialogLayer::setTestMode(false);
        ExtensionSystem::Globals::setUnattended(true);
        ExtensionSystem::Globals::setUnattendedFile("/tmp/line.wts");
        ExtensionSystem::Globals::takeUnattendedMessages();
        const auto b = QMessageBox::StandardButtons(buttons);
        // Should a box open after all, it is closed and the answers come out wrong.
        ModalDriver guard([](QWidget *w) { w->close(); }, 300);
        int got = -1;
        switch (DialogLayer::Kind(kind)) {
        case DialogLayer::Kind::Question: got = DialogLayer::question(nullptr, "T", "X", b); break;
        case DialogLayer::Kind::Information: got = DialogLayer::information(nullptr, "T", "X", b); break;
        case DialogLayer::Kind::Warning: got = DialogLayer::warning(nullptr, "T", "X", b); break;
        default: got = DialogLayer::critical(nullptr, "T", "X", b); break;
        }
        const QString saveAs = DialogLayer::saveFileName(nullptr, "Save As...", "a.wts", "*.wts");
        const int side = DialogLayer::connectionSwitch();
        const auto messages = ExtensionSystem::Globals::takeUnattendedMessages();
        ExtensionSystem::Globals::setUnattended(false);
        QVERIFY(!guard.acted());
        QTEST(got, "answer");
        QCOMPARE(saveAs, QString("/tmp/line.wts"));
        QCOMPARE(side, 1); // the sensor's settings win unless the host said otherwise
        QCOMPARE(int(messages.size()), 1);
        QCOMPARE(messages.front().text, std::string("X"));
        QCOMPARE(messages.front().problem, problem);
    }
};

QTEST_MAIN(TestDialogLayer)
#include "tst_dialoglayer.moc"
