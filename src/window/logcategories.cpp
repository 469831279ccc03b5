#include "window/logcategories.h"

Q_LOGGING_CATEGORY(lcWindow, "k4k.window")
Q_LOGGING_CATEGORY(lcCatalogue, "k4k.catalogue")
Q_LOGGING_CATEGORY(lcParameters, "k4k.parameters")
Q_LOGGING_CATEGORY(lcTransport, "k4k.transport")
Q_LOGGING_CATEGORY(lcConnection, "k4k.connection")
Q_LOGGING_CATEGORY(lcLive, "k4k.live")
Q_LOGGING_CATEGORY(lcDevice, "k4k.device")
Q_LOGGING_CATEGORY(lcPersistence, "k4k.persistence")
