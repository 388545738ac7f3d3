#pragma once

#include <QObject>
#include <QString>

class QWidget;

// Opt-in (environment variable PULSEPANEL_GEOMETRY naming a file): writes where every
// visible control of the program's windows is on the screen, so that a tool outside the
// program can point and click as a user would without asking the program anything. The
// file is rewritten whole after windows show, hide, move or resize, after the focus moves
// and after a numeric entry repaints. First "@focus<TAB>key" for the widget holding the
// keyboard focus (none while no window of the program is active), then one line per
// control, "key<TAB>x<TAB>y<TAB>width<TAB>height" in screen pixels:
//   - a named widget by its object name; the spin buttons of a numeric entry as
//     "<entry>.fUpButton" / "<entry>.fDownButton";
//   - each character of a numeric entry's shown text as "<entry>#<offset>";
//   - an unnamed button by "<named ancestor>:<caption>" (the channel tab "ChPageControl:Ch 3");
//   - a named menu action by its name (the bin item "BinSave3", the menu "Storage1Action");
//   - each row of a list, also a drop-down's open list, as "<named ancestor>:<row text>".
class TGeometryReport : public QObject {
public:
    static constexpr const char *EnvironmentVariable = "PULSEPANEL_GEOMETRY";
    // Starts the report when the variable is set; the report lives as long as the
    // application object.
    static void InstallFromEnvironment();

    explicit TGeometryReport(const QString &path, QObject *parent = nullptr);
    // The lines for every visible top-level window, as written to the file.
    static QString Describe();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Schedule();
    void Write();

    QString FPath;
    bool FScheduled = false;
};
