#pragma once

// Every modal message box, file dialog and the connection switch dialog
// open through here. Tests switch on the test mode: nothing is shown,
// answers come from a queue (or an answering function) and each title and
// text is recorded. In the host's unattended runs nothing is shown either:
// boxes get their confirming button, file dialogs the host's file.

#include <QList>
#include <QMessageBox>
#include <QString>

#include <functional>

class QDialog;
class QWidget;

namespace DirazSensorPlugin {
namespace Core {

class DialogLayer
{
public:
    enum class Kind { Question, Information, Warning, Critical, ConnectionSwitch, Dialog, FileDialog };

    struct Shown
    {
        Kind kind;
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons;
        int answer;
        bool answered; // false when the test left no answer ready
    };

    // Results are QMessageBox::StandardButton values.
    static int question(QWidget *parent, const QString &title, const QString &text,
                        QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static int information(QWidget *parent, const QString &title, const QString &text,
                           QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                           QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static int warning(QWidget *parent, const QString &title, const QString &text,
                       QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                       QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static int critical(QWidget *parent, const QString &title, const QString &text,
                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    // The connection switch dialog: 2 PC to sensor, 1 sensor to PC, 0 cancel.
    static int connectionSwitch();
    // Any other modal dialog: its exec() result, or in test mode the answer.
    static int exec(QDialog *dialog);
    // File dialogs: the chosen path, empty when cancelled. In test mode the
    // next queued file name answers (none queued: cancelled); the caption is
    // recorded as the title and the filter as the text. Unattended, the
    // host's file for the step answers.
    static QString saveFileName(QWidget *parent, const QString &caption, const QString &proposed,
                                const QString &filter);
    static QString openFileName(QWidget *parent, const QString &filter);
    static void enqueueFileName(const QString &path);

    // Unattended runs: the side the connection switch dialog is answered
    // with (1 sensor to PC, the default; 2 PC to sensor).
    static void setUnattendedConnectionChoice(int choice);
    static bool unattended();

    // Test mode. Unanswered boxes return their escape answer (Cancel, No or
    // Ok, whichever the box has, in that order; 0 for dialogs).
    static void setTestMode(bool on);
    static bool testMode();
    static void enqueueAnswer(int answer);
    // Asked first when set; returning -1 falls back to the queue.
    static void setAnswerer(std::function<int(const Shown &)> answerer);
    static int pendingAnswers();
    static QList<Shown> shown();
    static QList<Shown> takeShown();
    // Clears answers, answerer and record; keeps the mode.
    static void reset();

private:
    static int show(Kind kind, QWidget *parent, const QString &title, const QString &text,
                    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton);
    static int answerInTestMode(Shown shown, int fallback);
};

} // namespace Core
} // namespace DirazSensorPlugin
