#include "hostwindow.h"

#include <extensionsystem/globals.h>

#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QSerialPortInfo>
#include <QStatusBar>

HostWindow::HostWindow(PluginLibrary &plugin, QWidget *parent) : QMainWindow(parent), m_plugin(plugin)
{
    setObjectName("ndorix");
    setWindowTitle(QStringLiteral("nDorix"));
    m_mdi = new QMdiArea(this);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &HostWindow::subWindowActivated);

    m_sensors = m_plugin.sensors();
    buildMenus();
    statusBar()->showMessage(QStringLiteral("%1 %2 (%3)").arg(m_plugin.pluginName(), m_plugin.version(),
                                                             m_plugin.communicationType()));

    // Queued: the plug-in object learns that it holds the port only after the
    // registration call returns, and must already know it when the list comes.
    connect(&m_registry, &HostConnectionRegistry::registrationsChanged, this, [this] { deliverPorts(true); },
            Qt::QueuedConnection);
    connect(&m_registry, &HostConnectionRegistry::portFailed, this, [this](const QString &port, const QString &error) {
        statusBar()->showMessage(tr("Cannot open %1: %2").arg(port, error), 10000);
    });
    m_portTimer.setInterval(2000);
    connect(&m_portTimer, &QTimer::timeout, this, &HostWindow::refreshPorts);
    m_portTimer.start();
    resize(1400, 900);
}

HostWindow::~HostWindow()
{
    // The MDI area goes after this body and announces the activation changes
    // of its sub-windows on the way; nothing of this window may hear them.
    disconnect(m_mdi, nullptr, this, nullptr);
    m_portTimer.stop();
    // Plug-in objects go first; they unregister their channels on the way.
    for (auto &entry : m_instances)
        disconnect(entry.first, nullptr, this, nullptr);
    m_instances.clear();
}

void HostWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QString());
    keepTranslated(file->menuAction(), QT_TR_NOOP("&File"));
    m_sensorMenu = file->addMenu(QString());
    keepTranslated(m_sensorMenu->menuAction(), QT_TR_NOOP("Open &sensor"));
    for (const auto &sensor : m_sensors) {
        const QString name = QString::fromStdString(sensor.name());
        m_sensorMenu->addAction(name, this, [this, name] { openSensor(name); });
    }
    m_sensorMenu->setEnabled(!m_sensors.empty());
    keepTranslated(file->addAction(QString(), this, &HostWindow::openSettingsFile), QT_TR_NOOP("Open se&ttings..."));
    file->addSeparator();
    keepTranslated(file->addAction(QString(), this, &QWidget::close), QT_TR_NOOP("E&xit"));

    QMenu *view = menuBar()->addMenu(QString());
    keepTranslated(view->menuAction(), QT_TR_NOOP("&View"));
    QAction *presentation = view->addAction(QString());
    keepTranslated(presentation, QT_TR_NOOP("&Presentation mode"));
    presentation->setCheckable(true);
    connect(presentation, &QAction::toggled, this, &HostWindow::togglePresentation);
    keepTranslated(view->addAction(QString(), m_mdi, &QMdiArea::tileSubWindows), QT_TR_NOOP("&Tile windows"));
    keepTranslated(view->addAction(QString(), m_mdi, &QMdiArea::cascadeSubWindows), QT_TR_NOOP("&Cascade windows"));

    QMenu *language = menuBar()->addMenu(QString());
    keepTranslated(language->menuAction(), QT_TR_NOOP("&Language"));
    m_languageGroup = new QActionGroup(this);
    const QList<QPair<QString, QString>> languages = {{"en", "English"}, {"de", "Deutsch"}};
    for (const auto &entry : languages) {
        QAction *action = language->addAction(entry.second);
        action->setCheckable(true);
        action->setData(entry.first);
        action->setChecked(entry.first == m_language);
        m_languageGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, code = entry.first] { setLanguage(code); });
    }

    QMenu *help = menuBar()->addMenu(QString());
    keepTranslated(help->menuAction(), QT_TR_NOOP("&Help"));
    QAction *about = help->addAction(QString(), this, [this] {
        QMessageBox::about(this, m_plugin.pluginName(),
                           QStringLiteral("%1\n%2 %3").arg(m_plugin.description(), tr("Version"), m_plugin.version()));
    });
    keepTranslated(about, QT_TR_NOOP("&About plug-in"));
}

void HostWindow::keepTranslated(QAction *action, const char *source)
{
    action->setText(tr(source));
    m_translatedActions.append({action, source});
}

void HostWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        for (const auto &entry : qAsConst(m_translatedActions))
            if (entry.first)
                entry.first->setText(tr(entry.second));
    QMainWindow::changeEvent(event);
}

void HostWindow::addExtraPort(const QString &port)
{
    if (!port.isEmpty() && !m_extraPorts.contains(port))
        m_extraPorts << port;
    deliverPorts(false);
}

ExtensionSystem::PluginInterface *HostWindow::openSensor(const QString &name)
{
    const auto it = std::find_if(m_sensors.begin(), m_sensors.end(),
                                 [&](const ExtensionSystem::SensorBasic &s) { return s.name() == name.toStdString(); });
    if (it == m_sensors.end())
        return nullptr;
    auto *sub = new QMdiSubWindow; // owned by the MDI area once added
    sub->setAttribute(Qt::WA_DeleteOnClose);
    m_mdi->addSubWindow(sub);
    std::unique_ptr<ExtensionSystem::PluginInterface> instance(m_plugin.createInstance(&*it, sub));
    if (!instance) {
        sub->close();
        return nullptr;
    }
    instance->setSensorName(name);
    ExtensionSystem::PluginInterface *raw = instance.get();
    sub->setWindowTitle(name);
    connect(sub, &QObject::destroyed, this, [this, sub] {
        m_instances.erase(sub);
        // Later: the area still lists the sub-window while it is destroyed.
        QTimer::singleShot(0, this, &HostWindow::arrangeSubWindows);
    });
    m_instances[sub] = std::move(instance);
    sub->show();
    arrangeSubWindows();
    raw->vAvailablePortsUpdated(freePorts());
    return raw;
}

void HostWindow::setLanguage(const QString &code)
{
    m_language = code;
    for (auto &translator : m_translators)
        QApplication::removeTranslator(translator.get());
    m_translators.clear();
    ExtensionSystem::Globals::setLanguage(code.toStdString());
    if (code != "en") {
        QStringList files;
        const QDir dir(QCoreApplication::applicationDirPath() + "/translations");
        for (const QString &name : dir.entryList({QStringLiteral("*_%1.qm").arg(code)}, QDir::Files))
            files << dir.filePath(name);
        files << QLibraryInfo::location(QLibraryInfo::TranslationsPath) + "/qtbase_" + code + ".qm";
        for (const QString &file : files) {
            auto translator = std::make_unique<QTranslator>();
            if (translator->load(file)) {
                // Installing sends the language-change event to every widget.
                QApplication::installTranslator(translator.get());
                m_translators.push_back(std::move(translator));
            }
        }
    }
    if (m_languageGroup) {
        for (QAction *action : m_languageGroup->actions())
            action->setChecked(action->data().toString() == code);
    }
}

QStringList HostWindow::freePorts() const
{
    QStringList ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ports << info.systemLocation();
    for (const QString &port : m_extraPorts) {
        if (!ports.contains(port))
            ports << port;
    }
    const QStringList used = m_registry.portsInUse();
    QStringList free;
    for (const QString &port : ports) {
        if (!used.contains(port))
            free << port;
    }
    return free;
}

QStringList HostWindow::sensorWindowTitles() const
{
    QStringList titles;
    for (QMdiSubWindow *sub : m_mdi->subWindowList()) {
        if (sub->widget())
            titles << sub->widget()->windowTitle();
    }
    return titles;
}

// One sensor takes the whole work area; several share it side by side.
void HostWindow::arrangeSubWindows()
{
    const QList<QMdiSubWindow *> subs = m_mdi->subWindowList();
    if (subs.size() == 1) {
        subs.first()->showMaximized();
    } else if (subs.size() > 1) {
        for (QMdiSubWindow *sub : subs)
            sub->showNormal();
        m_mdi->tileSubWindows();
    }
}

QList<ExtensionSystem::PluginInterface *> HostWindow::plugins() const
{
    QList<ExtensionSystem::PluginInterface *> list;
    for (QMdiSubWindow *sub : m_mdi->subWindowList()) {
        const auto it = m_instances.find(sub);
        if (it != m_instances.end())
            list << it->second.get();
    }
    return list;
}

void HostWindow::refreshPorts() { deliverPorts(false); }

void HostWindow::deliverPorts(bool force)
{
    const QStringList ports = freePorts();
    if (!force && ports == m_deliveredPorts)
        return;
    m_deliveredPorts = ports;
    for (auto &entry : m_instances)
        entry.second->vAvailablePortsUpdated(ports);
}

ExtensionSystem::PluginInterface *HostWindow::activePlugin() const
{
    const auto it = m_instances.find(m_mdi->activeSubWindow());
    if (it != m_instances.end())
        return it->second.get();
    return m_instances.empty() ? nullptr : m_instances.begin()->second.get();
}

void HostWindow::openSettingsFile()
{
    ExtensionSystem::PluginInterface *plugin = activePlugin();
    if (!plugin) {
        QMessageBox::information(this, tr("Open settings"), tr("Open a sensor first."));
        return;
    }
    const QString file = QFileDialog::getOpenFileName(this, tr("Open settings"), QString(), tr("Settings (*.wts)"));
    if (!file.isEmpty())
        plugin->vActionOpen(file);
}

void HostWindow::togglePresentation(bool on)
{
    ExtensionSystem::Globals::setPresentationMode(on);
    for (auto &entry : m_instances)
        entry.second->vUpdate(QVariant(on));
}

void HostWindow::subWindowActivated(QMdiSubWindow *window)
{
    for (auto &entry : m_instances)
        entry.second->setWindowActive(entry.first == window);
}
