// The "updating..." notice shown during bulk transfers and connecting. It
// counts a fixed number of 10 ms ticks; at its end a fresh connection
// starts polling.

#include "window/sensorwindow.h"

#include "comm/pause.h"
#include "window/sensorwindowprivate.h"
#include "window/sensorwindowui.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFont>
#include <QGridLayout>
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
    d->showProgress = false;
    d->progressButton->hide();
    d->progressLabel->setText(QCoreApplication::translate("SensorWindow", "updating..."));
    dialog->setFixedSize(270, 60);
    d->progressBar->setFixedWidth(dialog->geometry().width() - 21);
    d->progressBar->setFixedHeight(20);
    d->progressBar->setRange(0, d->noticeTicks);
    d->progressBar->setValue(0);
    dialog->show();

    d->noticeTimer.setSingleShot(true);
    connect(&d->noticeTimer, &QTimer::timeout, this, &SensorWindow::vUpdateProgressBar, Qt::UniqueConnection);
    d->noticeTimer.start(0);
}

void SensorWindow::vUpdateProgressBar()
{
    // A blocking send runs its own event loop; the notice must not run out
    // while the connection or transfer behind it is still under way.
    if (d->blockingSends > 0) {
        d->noticeTimer.start(qMax(1, scaledMs(kTickMs)));
        return;
    }
    QProgressBar *bar = d->progressBar;
    const int value = bar->value();
    if (value < bar->maximum()) {
        bar->setValue(value + 1);
        d->noticeTimer.start(scaledMs(kTickMs));
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

} // namespace Core
} // namespace DirazSensorPlugin
