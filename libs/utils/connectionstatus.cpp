#include <utils/connectionstatus.h>

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace Utils {

namespace {

QPixmap lamp(const QColor &colour)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(colour.darker(150));
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(1.0, 1.0, 10.0, 10.0));
    return pixmap;
}

} // namespace

ConnectionStatus::ConnectionStatus(QWidget *parent)
    : QWidget(parent), m_lamp(new QLabel(this)), m_text(new QLabel(this))
{
    setObjectName(QStringLiteral("ConnectionStatus"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(4);
    layout->addWidget(m_lamp);
    layout->addWidget(m_text);
    refresh();
}

QString ConnectionStatus::text() const
{
    return m_text->text();
}

void ConnectionStatus::setConnected(bool connected)
{
    if (connected == m_connected)
        return;
    m_connected = connected;
    refresh();
    emit connectedChanged(connected);
}

void ConnectionStatus::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        refresh();
    QWidget::changeEvent(event);
}

void ConnectionStatus::refresh()
{
    m_lamp->setPixmap(lamp(m_connected ? QColor(79, 166, 0) : QColor(160, 160, 160)));
    m_text->setText(m_connected ? tr("Connected") : tr("Disconnected"));
    setToolTip(m_text->text());
}

} // namespace Utils
