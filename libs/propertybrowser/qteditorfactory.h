#ifndef QTEDITORFACTORY_H
#define QTEDITORFACTORY_H

// The editor factories for the managers of qtpropertymanager.h.
#include "qtpropertymanager.h"

#include "qtcheckboxfactory.h"
#include "qtdoublespinboxfactory.h"
#include "qtenumeditorfactory.h"
#include "qtlineeditfactory.h"
#include "qtspinboxfactory.h"

#endif // QTEDITORFACTORY_H
