#pragma once

#include <QString>

// The caption of a connected panel: company + " Model " + model + "  SW Version: " +
// version + " ComPort: " + port + " Baud: " + baud. The window shows it and the settings
// list quotes it, so programs without a window (pulsectl) write the same file line.
QString WindowCaption(const QString &companyName, const QString &model, const QString &fileVersion,
                      int port, int baud);
