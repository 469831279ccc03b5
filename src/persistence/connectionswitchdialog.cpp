#include "persistence/connectionswitchdialog.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QIcon>
#include <QPushButton>

namespace DirazSensorPlugin {
namespace Core {

namespace Ui {

namespace {
QPushButton *makeButton(QDialog *dialog, const char *name, const char *icon)
{
    auto *button = new QPushButton(dialog);
    button->setObjectName(QString::fromLatin1(name));
    button->setMinimumSize(QSize(0, 30));
    button->setMaximumSize(QSize(150, QWIDGETSIZE_MAX));
    button->setIcon(QIcon(QString::fromLatin1(icon)));
    return button;
}
} // namespace

void connectionSwitchingDialog::setupUi(QDialog *dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("connectionSwitchingDialog"));
    dialog->resize(225, 120);
    dialog->setMinimumSize(QSize(101, 0));
    dialog->setMaximumSize(QSize(300, 200));
    dialog->setStyleSheet(QStringLiteral(
        "QWidget#connectionSwitchingDialog {\n"
        "  border: 1px outset gray;\n"
        "  border-radius: 3px;\n"
        "  padding: 1px 18px 1px 3px;\n"
        "  min-width: 6em;\n"
        "  background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,\n"
        "              stop: 0 #E1E1E1, stop: 0.4 #DDDDDD,\n"
        "              stop: 0.5 #D8D8D8, stop: 1.0 #D3D3D3);\n"
        "}\n"
        "QPushButton { border-image: url(:/newPrefix/icons/button.svg); }\n"));

    gridLayout = new QGridLayout(dialog);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    pcToSensor = makeButton(dialog, "pcToSensor", ":/newPrefix/icons/connect_sensor_pc.svg");
    pcToSensor->setFlat(false);
    gridLayout->addWidget(pcToSensor, 0, 0, 1, 1);
    sensorToPc = makeButton(dialog, "sensorToPc", ":/newPrefix/icons/connect_yes.svg");
    gridLayout->addWidget(sensorToPc, 1, 0, 1, 1);
    cancel = makeButton(dialog, "cancel", ":/newPrefix/icons/edit_delete_all.svg");
    gridLayout->addWidget(cancel, 2, 0, 1, 1);

    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void connectionSwitchingDialog::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QCoreApplication::translate("connectionSwitchingDialog", "Dialog"));
#if QT_CONFIG(tooltip)
    pcToSensor->setToolTip(
        QCoreApplication::translate("connectionSwitchingDialog", "Sensor settings will be overwritten with the ones from PC"));
#endif
#if QT_CONFIG(statustip)
    pcToSensor->setStatusTip(QString());
#endif
#if QT_CONFIG(accessibility)
    pcToSensor->setAccessibleDescription(QString());
#endif
    pcToSensor->setText(QCoreApplication::translate("connectionSwitchingDialog", "PC -> Sensor"));
#if QT_CONFIG(tooltip)
    sensorToPc->setToolTip(
        QCoreApplication::translate("connectionSwitchingDialog", "PC settings will be overwritten with the ones from the Sensor"));
#endif
    sensorToPc->setText(QCoreApplication::translate("connectionSwitchingDialog", "Sensor -> PC"));
    cancel->setText(QCoreApplication::translate("connectionSwitchingDialog", "Cancel"));
}

} // namespace Ui

ConnectionSwitchDialog::ConnectionSwitchDialog()
    : QDialog(nullptr, Qt::SplashScreen)
    , ui(new Ui::connectionSwitchingDialog)
{
    ui->setupUi(this);
    connect(ui->pcToSensor, &QPushButton::clicked, this, &ConnectionSwitchDialog::vPcToSensor);
    connect(ui->sensorToPc, &QPushButton::clicked, this, &ConnectionSwitchDialog::vSensorToPc);
    connect(ui->cancel, &QPushButton::clicked, this, &ConnectionSwitchDialog::vCancel);
    setResult(Cancelled);
}

ConnectionSwitchDialog::~ConnectionSwitchDialog()
{
    delete ui;
}

// accept() ends exec() only once control returns to its event loop, so the
// result set afterwards is what exec() returns.
void ConnectionSwitchDialog::vPcToSensor()
{
    QDialog::accept();
    setResult(PcToSensor);
}

void ConnectionSwitchDialog::vSensorToPc()
{
    QDialog::accept();
    setResult(SensorToPc);
}

void ConnectionSwitchDialog::vCancel()
{
    QDialog::accept();
    setResult(Cancelled);
}

void ConnectionSwitchDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

} // namespace Core
} // namespace DirazSensorPlugin
