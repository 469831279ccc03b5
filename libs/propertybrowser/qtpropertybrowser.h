#ifndef QTPROPERTYBROWSER_H
#define QTPROPERTYBROWSER_H

// Core of the property browser: properties, managers, factories, items.
#include "qtabstracteditorfactory.h"
#include "qtabstracteditorfactorybase.h"
#include "qtabstractpropertybrowser.h"
#include "qtabstractpropertymanager.h"
#include "qtbrowseritem.h"
#include "qtproperty.h"

#endif // QTPROPERTYBROWSER_H
