#include "persistence/dialoglayer.h"

#include "persistence/connectionswitchdialog.h"
#include "window/logcategories.h"

#include <extensionsystem/globals.h>

#include <QDialog>
#include <QFileDialog>
#include <QQueue>

namespace DirazSensorPlugin {
namespace Core {

namespace {

struct LayerState
{
    bool testMode = false;
    QQueue<int> answers;
    std::function<int(const DialogLayer::Shown &)> answerer;
    QList<DialogLayer::Shown> shown;
    QQueue<QString> fileNames;
    int unattendedSwitchChoice = 1;
};

LayerState &state()
{
    static LayerState s;
    return s;
}

int escapeAnswer(QMessageBox::StandardButtons buttons)
{
    for (QMessageBox::StandardButton b : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok}) {
        if (buttons.testFlag(b))
            return b;
    }
    return QMessageBox::NoButton;
}

int confirmingAnswer(QMessageBox::StandardButtons buttons)
{
    for (QMessageBox::StandardButton b : {QMessageBox::Yes, QMessageBox::Ok, QMessageBox::Save, QMessageBox::Open,
                                          QMessageBox::Apply, QMessageBox::YesToAll}) {
        if (buttons.testFlag(b))
            return b;
    }
    return escapeAnswer(buttons);
}

// Nobody will read the box, so the host gets its text to report instead.
int answerUnattended(DialogLayer::Kind kind, const QString &title, const QString &text,
                     QMessageBox::StandardButtons buttons)
{
    const bool problem = kind == DialogLayer::Kind::Warning || kind == DialogLayer::Kind::Critical;
    ExtensionSystem::Globals::noteUnattendedMessage({title.toStdString(), text.toStdString(), problem});
    const int answer = confirmingAnswer(buttons);
    qCInfo(lcPersistence).nospace().noquote() << "unattended: \"" << title << "\": " << text << " -> " << answer;
    return answer;
}

} // namespace

bool DialogLayer::unattended()
{
    return !state().testMode && ExtensionSystem::Globals::getUnattended();
}

int DialogLayer::answerInTestMode(Shown shown, int fallback)
{
    LayerState &s = state();
    int answer = -1;
    if (s.answerer)
        answer = s.answerer(shown);
    if (answer < 0 && !s.answers.isEmpty())
        answer = s.answers.dequeue();
    shown.answered = answer >= 0;
    shown.answer = shown.answered ? answer : fallback;
    s.shown.append(shown);
    return shown.answer;
}

int DialogLayer::show(Kind kind, QWidget *parent, const QString &title, const QString &text,
                      QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    if (state().testMode)
        return answerInTestMode({kind, title, text, buttons, 0, false}, escapeAnswer(buttons));
    // What a person was told stays in the log, for reports from the field.
    qCInfo(lcPersistence, "message: %s: %s", qPrintable(title), qPrintable(text));
    if (unattended())
        return answerUnattended(kind, title, text, buttons);
    switch (kind) {
    case Kind::Question:
        return QMessageBox::question(parent, title, text, buttons, defaultButton);
    case Kind::Information:
        return QMessageBox::information(parent, title, text, buttons, defaultButton);
    case Kind::Warning:
        return QMessageBox::warning(parent, title, text, buttons, defaultButton);
    default:
        return QMessageBox::critical(parent, title, text, buttons, defaultButton);
    }
}

int DialogLayer::question(QWidget *parent, const QString &title, const QString &text,
                          QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return show(Kind::Question, parent, title, text, buttons, defaultButton);
}

int DialogLayer::information(QWidget *parent, const QString &title, const QString &text,
                             QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return show(Kind::Information, parent, title, text, buttons, defaultButton);
}

int DialogLayer::warning(QWidget *parent, const QString &title, const QString &text,
                         QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return show(Kind::Warning, parent, title, text, buttons, defaultButton);
}

int DialogLayer::critical(QWidget *parent, const QString &title, const QString &text,
                          QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return show(Kind::Critical, parent, title, text, buttons, defaultButton);
}

int DialogLayer::connectionSwitch()
{
    ConnectionSwitchDialog dialog;
    if (state().testMode)
        return answerInTestMode({Kind::ConnectionSwitch, dialog.windowTitle(), QString(),
                                 QMessageBox::NoButton, 0, false},
                                0);
    if (unattended()) {
        qCInfo(lcPersistence) << "unattended: connection switch answered" << state().unattendedSwitchChoice;
        return state().unattendedSwitchChoice;
    }
    return dialog.exec();
}

int DialogLayer::exec(QDialog *dialog)
{
    if (!dialog)
        return 0;
    if (state().testMode)
        return answerInTestMode({Kind::Dialog, dialog->windowTitle(), QString(), QMessageBox::NoButton, 0, false},
                                0);
    if (unattended()) {
        qCWarning(lcPersistence) << "unattended: dialog" << dialog->windowTitle() << "cancelled";
        return 0;
    }
    return dialog->exec();
}

namespace {
QString answerFileDialog(const QString &caption, const QString &filter)
{
    LayerState &s = state();
    if (s.testMode) {
        const QString name = s.fileNames.isEmpty() ? QString() : s.fileNames.dequeue();
        s.shown.append({DialogLayer::Kind::FileDialog, caption, filter, QMessageBox::NoButton, 0, !name.isEmpty()});
        return name;
    }
    const QString name = QString::fromStdString(ExtensionSystem::Globals::getUnattendedFile());
    if (name.isEmpty())
        qCWarning(lcPersistence) << "unattended: a file dialog" << caption << "has no file to answer with";
    else
        qCInfo(lcPersistence) << "unattended:" << caption << "answered with" << name;
    return name;
}
} // namespace

QString DialogLayer::saveFileName(QWidget *parent, const QString &caption, const QString &proposed,
                                  const QString &filter)
{
    if (state().testMode || unattended())
        return answerFileDialog(caption, filter);
    return QFileDialog::getSaveFileName(parent, caption, proposed, filter);
}

QString DialogLayer::openFileName(QWidget *parent, const QString &filter)
{
    if (state().testMode || unattended())
        return answerFileDialog(QString(), filter);
    QFileDialog dialog(parent);
    dialog.setNameFilter(filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

void DialogLayer::enqueueFileName(const QString &path)
{
    state().fileNames.enqueue(path);
}

void DialogLayer::setUnattendedConnectionChoice(int choice)
{
    state().unattendedSwitchChoice = choice;
}

void DialogLayer::setTestMode(bool on)
{
    state().testMode = on;
}

bool DialogLayer::testMode()
{
    return state().testMode;
}

void DialogLayer::enqueueAnswer(int answer)
{
    state().answers.enqueue(answer);
}

void DialogLayer::setAnswerer(std::function<int(const Shown &)> answerer)
{
    state().answerer = std::move(answerer);
}

int DialogLayer::pendingAnswers()
{
    return state().answers.size();
}

QList<DialogLayer::Shown> DialogLayer::shown()
{
    return state().shown;
}

QList<DialogLayer::Shown> DialogLayer::takeShown()
{
    QList<Shown> out;
    out.swap(state().shown);
    return out;
}

void DialogLayer::reset()
{
    LayerState &s = state();
    s.answers.clear();
    s.fileNames.clear();
    s.answerer = nullptr;
    s.shown.clear();
}

} // namespace Core
} // namespace DirazSensorPlugin
