#pragma once

#include "DiagramSnapshot.h"
#include "SyncChain.h"

#include <QStringList>

// What probably does not do what the user wants. Flags never block anything; they are
// shown beside the rows. Disabled channels are not flagged: they put out nothing.
namespace Diagram {

QStringList SystemFlags(const TDiagramSnapshot &s);
QStringList ChannelFlags(const TDiagramSnapshot &s, int channel, const TSyncChain &chain);

// "T0 -> Ch 1 -> Ch 5" with arrows; "Trig" for the external trigger.
QString ChainText(const QVector<int> &path);
QString RowName(int channel); // "T0", "Ch 1" .. "Ch 36"

} // namespace Diagram
