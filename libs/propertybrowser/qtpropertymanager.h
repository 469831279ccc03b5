#ifndef QTPROPERTYMANAGER_H
#define QTPROPERTYMANAGER_H

// The property managers.
#include "qtpropertybrowser.h"

#include "qtboolpropertymanager.h"
#include "qtdoublepropertymanager.h"
#include "qtenumpropertymanager.h"
#include "qtgrouppropertymanager.h"
#include "qtintpropertymanager.h"
#include "qtstringpropertymanager.h"

#endif // QTPROPERTYMANAGER_H
