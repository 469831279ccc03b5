#pragma once

#include <QDialog>

class QGridLayout;
class QPushButton;

namespace DirazSensorPlugin {
namespace Core {

namespace Ui {
// The dialog's interface record, kept in the shape a form generator gives.
class connectionSwitchingDialog
{
public:
    QGridLayout *gridLayout = nullptr;
    QPushButton *pcToSensor = nullptr;
    QPushButton *sensorToPc = nullptr;
    QPushButton *cancel = nullptr;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};
} // namespace Ui

// Asks which side's settings win when connecting: exec() returns 2 for
// "PC -> Sensor", 1 for "Sensor -> PC" and 0 for "Cancel" or any other close.
class ConnectionSwitchDialog : public QDialog
{
    Q_OBJECT
public:
    enum Result { Cancelled = 0, SensorToPc = 1, PcToSensor = 2 };

    ConnectionSwitchDialog();
    ~ConnectionSwitchDialog() override;

public slots:
    virtual void vPcToSensor();
    virtual void vSensorToPc();
    virtual void vCancel();

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui::connectionSwitchingDialog *ui;
};

} // namespace Core
} // namespace DirazSensorPlugin
