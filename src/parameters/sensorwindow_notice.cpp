// The "updating..." notice shown during bulk transfers and connecting. While
// a pass runs it shows the parameters done out of all; it then stays up for
// at least its described number of 10 ms ticks, and at its end a fresh
// connection starts polling. Escape or its button cancels the work behind
// it and leaves the window Offline.

#include "window/sensorwindow.h"

#include "comm/pause.h"
#include "window/logcategories.h"
#include "window/sensorwindowprivate.h"
#include "window/sensorwindowui.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFont>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QToolBar>

namespace DirazSensorPlugin {
namespace Core {

namespace {

const char kNoticeStyleSheet[] =
    "QWidget#DataFrameSenderUi\n {\n     border: 1px solid gray;\n\t border-style: outset;\n"
    "     border-radius: 3px;\n     padding: 1px 18px 1px 3px;\n     min-width: 6em;\n\n"
    " background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,\n"
    "                                  stop: 0 #E1E1E1, stop: 0.4 #DDDDDD,\n"
    "                                  stop: 0.5 #D8D8D8, stop: 1.0 #D3D3D3);\n }\n";

constexpr int kTickMs = 10;
constexpr int kDefaultTicks = 800;

} // namespace

void SensorWindow::vShowProgress(bool show)
{
    QDialog *dialog = d->progressDialog;
    if (!show) {
        d->noticeTicks = kDefaultTicks;
        dialog->hide();
        d->noticeTimer.stop();
        d->showProgress = true;
        return;
    }
    if (dialog->parentWidget() != this)
        dialog->setParent(this);
    dialog->setWindowFlags(Qt::SplashScreen | Qt::WindowStaysOnTopHint);
    dialog->setWindowOpacity(0.75);
    dialog->setModal(true);
    dialog->setObjectName(QStringLiteral("DataFrameSenderUi"));
    dialog->setStyleSheet(QString::fromLatin1(kNoticeStyleSheet));
    QFont bold = d->progressLabel->font();
    bold.setBold(true);
    d->progressLabel->setFont(bold);
    if (d->progressLayout->indexOf(d->progressLabel) < 0) {
        d->progressLayout->addWidget(d->progressLabel, 0, 0, Qt::AlignCenter);
        d->progressLayout->addWidget(d->progressBar, 1, 0);
    }
    if (d->progressLayout->indexOf(d->progressButton) < 0) {
        d->progressLayout->addWidget(d->progressButton, 1, 1);
        d->progressButton->setIcon(QIcon(QStringLiteral(":/newPrefix/icons/edit_delete_all.svg")));
        connect(d->progressButton, &QPushButton::clicked, this, &SensorWindow::vCancelNotice);
        // Escape rejects the dialog.
        connect(dialog, &QDialog::rejected, this, &SensorWindow::vCancelNotice);
    }
    d->showProgress = false;
    d->noticeCancelled = false;
    d->progressButton->setToolTip(QCoreApplication::translate("SensorWindow", "Cancel"));
    d->progressButton->show();
    d->progressLabel->setText(QCoreApplication::translate("SensorWindow", "updating..."));
    dialog->setFixedSize(270, 60);
    d->progressBar->setFixedWidth(dialog->geometry().width() - 21 - d->progressButton->width() - 4);
    d->progressBar->setFixedHeight(20);
    d->progressBar->setRange(0, d->noticeTicks);
    d->progressBar->setValue(0);
    d->noticeClock.start();
    dialog->show();

    d->noticeTimer.setSingleShot(true);
    connect(&d->noticeTimer, &QTimer::timeout, this, &SensorWindow::vUpdateProgressBar, Qt::UniqueConnection);
    d->noticeTimer.start(0);
}

void SensorWindow::vUpdateProgressBar()
{
    QProgressBar *bar = d->progressBar;
    // A pass in progress shows its own count.
    if (d->transferTotal > 0) {
        d->noticeTimer.start(qMax(1, scaledMs(kTickMs)));
        return;
    }
    // Time, not the count of ticks run, says how far the minimum has come,
    // so a busy event loop does not stretch it.
    const int tick = scaledMs(kTickMs);
    const int elapsedTicks = tick > 0 ? int(d->noticeClock.elapsed() / tick) : d->noticeTicks;
    if (bar->maximum() != d->noticeTicks)
        bar->setRange(0, d->noticeTicks);
    bar->setValue(qMin(elapsedTicks, d->noticeTicks));
    // A blocking send runs its own event loop; the notice must not run out
    // while the connection or transfer behind it is still under way.
    if (d->blockingSends > 0 || elapsedTicks < d->noticeTicks) {
        d->noticeTimer.start(qMax(1, tick));
        return;
    }

    d->noticeTicks = kDefaultTicks;
    d->progressDialog->hide();
    d->showProgress = true;
    if (!d->afterConnect)
        return;

    if (d->autoConnecting) {
        ui->actionEnable_live_data->setChecked(true);
    } else {
        d->liveData = ui->actionEnable_live_data->isChecked();
        if (d->channel)
            d->chartTimer.start();
        d->afterConnect = false;
        d->autoConnecting = false;
    }
    d->lastPortIndex = d->portSelector->currentIndex();
    d->liveData = ui->actionEnable_live_data->isChecked();
    if (d->channel)
        d->chartTimer.start();
    if (connected)
        ui->chartToolbar->setEnabled(true);
    d->afterConnect = false;
}

void SensorWindow::vReportTransferProgress(int done, int total)
{
    d->transferTotal = total;
    if (!d->progressDialog->isVisible())
        return;
    if (total <= 0) {
        // The pass is over: the bar goes back to the notice's minimum time.
        d->progressBar->setRange(0, d->noticeTicks);
        return;
    }
    d->progressBar->setRange(0, total);
    d->progressBar->setValue(qBound(0, done, total));
    // Repaint, and let Escape or the cancel button through between
    // parameters even when no send runs an event loop of its own.
    QCoreApplication::processEvents();
}

bool SensorWindow::bNoticeCancelled() const
{
    return d->noticeCancelled;
}

void SensorWindow::vCancelNotice()
{
    if (d->noticeCancelled || d->showProgress)
        return;
    qCInfo(lcParameters) << "the person cancelled the transfer or connection in progress";
    d->noticeCancelled = true;
    d->progressDialog->hide();
    d->noticeTimer.stop();
}

// What a cancelled connection or transfer leaves: Offline, with the tree
// as far as it got and every value already written kept by the sensor.
void SensorWindow::vGoOfflineAfterCancel()
{
    d->transferTotal = 0;
    d->afterConnect = false;
    d->autoConnecting = false;
    vShowProgress(false);
    d->lastPortIndex = 0;
    vDisconnect();
    d->portSelector->setCurrentIndex(0);
    vShowConnectionState();
    d->noticeCancelled = false;
}

} // namespace Core
} // namespace DirazSensorPlugin
