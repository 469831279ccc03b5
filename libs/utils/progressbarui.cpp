#include <utils/progressbarui.h>

#include <QCloseEvent>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QThread>
#include <QVBoxLayout>

namespace Utils {

ProgressBarUi::ProgressBarUi(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_label(new QLabel(tr("Please wait..."), this)),
      m_bar(new QProgressBar(this))
{
    setObjectName(QStringLiteral("ProgressBarUi"));
    setWindowTitle(tr("Communication"));
    m_bar->setRange(0, 0); // busy: the duration is unknown
    m_bar->setTextVisible(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
}

ProgressBarUi::~ProgressBarUi()
{
    if (m_loop)
        m_loop->exit(0);
}

void ProgressBarUi::setShowUi(bool show)
{
    m_showUi = show;
    if (!show)
        hide();
}

void ProgressBarUi::setText(const QString &text)
{
    m_label->setText(text);
}

int ProgressBarUi::exec(unsigned int id)
{
    if (m_finished.remove(id))
        return 1;
    if (m_loop)
        return 0; // one wait at a time

    QEventLoop loop;
    m_loop = &loop;
    m_waitingFor = id;
    if (m_showUi)
        show();
    const int result = loop.exec(QEventLoop::DialogExec);
    m_loop = nullptr;
    m_finished.remove(id);
    if (m_showUi)
        hide();
    return result;
}

void ProgressBarUi::exit(unsigned int id)
{
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(this, [this, id] { exit(id); }, Qt::QueuedConnection);
        return;
    }
    if (m_loop && id == m_waitingFor)
        m_loop->exit(1);
    else
        m_finished.insert(id);
}

void ProgressBarUi::reject()
{
    if (!m_loop)
        QDialog::reject();
}

void ProgressBarUi::closeEvent(QCloseEvent *event)
{
    if (m_loop)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

} // namespace Utils
