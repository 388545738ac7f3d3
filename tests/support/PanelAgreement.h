#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class TMainForm;

// Whether a panel and an instrument agree: the instrument's state dump (TSimProcess::Dump)
// is read with the program's own record and reply parsers and compared, field by field,
// with the panel's settings mirrors and check boxes for the panel's channel count. Every
// field that differs is listed as "<field>: panel <value>, instrument <value>"; times and
// levels compare in their wire formats.
QStringList PanelDisagreements(const TMainForm &form, const QMap<QString, QStringList> &dump);
