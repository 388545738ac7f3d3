#pragma once

#include <QStringList>

// True when the arguments hold the switch "log" after "-" or "/", in any letter case
// ("-log", "/LOG", "-Log").
bool HasLogSwitch(const QStringList &arguments);
