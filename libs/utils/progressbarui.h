#ifndef UTILS_PROGRESSBARUI_H
#define UTILS_PROGRESSBARUI_H

#include <QDialog>
#include <QSet>

class QEventLoop;
class QLabel;
class QProgressBar;

namespace Utils {

// Waits for one asynchronous request: exec(id) runs a local event loop until
// the slot exit(id) has received that id. An exit that arrives before exec is
// remembered, so exec then returns at once. While waiting the dialog shows a
// busy bar, unless setShowUi(false), in which case nothing is shown at all.
// The user cannot close it: the request's data must outlive the wait.
class ProgressBarUi : public QDialog
{
    Q_OBJECT
public:
    explicit ProgressBarUi(QWidget *parent = nullptr);
    ~ProgressBarUi() override;

    void setShowUi(bool show);
    bool showUi() const { return m_showUi; }
    void setText(const QString &text);

    using QDialog::exec;
    // Returns 1 once `id` has finished.
    int exec(unsigned int id);
    bool isWaiting() const { return m_loop != nullptr; }

public slots:
    // May be called from any thread.
    void exit(unsigned int id);
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    bool m_showUi = true;
    unsigned int m_waitingFor = 0;
    QEventLoop *m_loop = nullptr;
    QSet<unsigned int> m_finished;
    QLabel *m_label;
    QProgressBar *m_bar;
};

} // namespace Utils

#endif
