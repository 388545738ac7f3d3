#pragma once

// The check mark of the "Logging Enabled" menu item.
class TLogMenu {
public:
    virtual ~TLogMenu() = default;
    virtual void SetLoggingChecked(bool checked) = 0;
};
