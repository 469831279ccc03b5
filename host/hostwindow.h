#pragma once

#include "hostconnectionregistry.h"
#include "pluginlibrary.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QTranslator>
#include <list>
#include <map>
#include <memory>
#include <vector>

class QMdiArea;
class QMdiSubWindow;
class QAction;
class QMenu;
class QActionGroup;

// The desktop host: opens sensors of the loaded plug-in in MDI sub-windows,
// lends serial channels and tells every plug-in object the free ports.
class HostWindow : public QMainWindow
{
    Q_OBJECT
public:
    HostWindow(PluginLibrary &plugin, QWidget *parent = nullptr);
    ~HostWindow() override;

    // Ports offered besides the ones the system lists (--port, the simulator).
    void addExtraPort(const QString &port);
    // Opens the model with this name; null when the catalogue has no such model.
    ExtensionSystem::PluginInterface *openSensor(const QString &name);
    void setLanguage(const QString &code);
    QStringList freePorts() const;
    // The titles of the plug-in windows, as a scripted run reports them.
    QStringList sensorWindowTitles() const;
    // The plug-in objects in the order their windows were opened.
    QList<ExtensionSystem::PluginInterface *> plugins() const;

private slots:
    void refreshPorts();
    void openSettingsFile();
    void togglePresentation(bool on);
    void subWindowActivated(QMdiSubWindow *window);

protected:
    void changeEvent(QEvent *event) override;

private:
    void buildMenus();
    void arrangeSubWindows();
    // Menu texts follow a language change; source texts stay untranslated here.
    void keepTranslated(QAction *action, const char *source);
    void deliverPorts(bool force);
    ExtensionSystem::PluginInterface *activePlugin() const;

    PluginLibrary &m_plugin;
    HostConnectionRegistry m_registry;
    QMdiArea *m_mdi = nullptr;
    QMenu *m_sensorMenu = nullptr;
    QActionGroup *m_languageGroup = nullptr;
    std::list<ExtensionSystem::SensorBasic> m_sensors;
    std::map<QMdiSubWindow *, std::unique_ptr<ExtensionSystem::PluginInterface>> m_instances;
    QStringList m_extraPorts;
    QStringList m_deliveredPorts;
    QTimer m_portTimer;
    std::vector<std::unique_ptr<QTranslator>> m_translators;
    QString m_language = QStringLiteral("en");
    QList<QPair<QPointer<QAction>, const char *>> m_translatedActions;
};
