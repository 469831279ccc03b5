#ifndef UTILS_CONNECTIONSTATUS_H
#define UTILS_CONNECTIONSTATUS_H

#include <QWidget>

class QLabel;

namespace Utils {

// Status-bar indicator: a lamp (green when connected, grey otherwise) and a
// short text.
class ConnectionStatus : public QWidget
{
    Q_OBJECT
public:
    explicit ConnectionStatus(QWidget *parent = nullptr);

    bool isConnected() const { return m_connected; }
    QString text() const;

public slots:
    void setConnected(bool connected);

signals:
    void connectedChanged(bool connected);

protected:
    void changeEvent(QEvent *event) override;

private:
    void refresh();

    bool m_connected = false;
    QLabel *m_lamp;
    QLabel *m_text;
};

} // namespace Utils

#endif
