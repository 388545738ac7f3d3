// The bottom row: the command terminal and the "System Information" group.
#include "MainForm.h"

#include "FormParts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace FormParts;

QGroupBox *TMainForm::BuildTerminal() {
    TerminalBoxgrp = Group(nullptr, "TerminalBoxgrp", "Command Terminal");
    SetHint(TerminalBoxgrp, "Send and receive commands directly to unit");
    TerminalBoxgrp->setFixedWidth(509);
    TerminalBoxgrp->setFixedHeight(121);

    SendEdit = Named<QComboBox>("SendEdit", TerminalBoxgrp);
    SendEdit->setEditable(true);
    // The history is kept by the send handler itself (duplicates and all).
    SendEdit->setInsertPolicy(QComboBox::NoInsert);
    SendEdit->setDuplicatesEnabled(true);

    SendBtn = Named<QPushButton>("SendBtn", "Send", TerminalBoxgrp);

    ResponseList = Named<QPlainTextEdit>("ResponseList", TerminalBoxgrp);
    ResponseList->setReadOnly(true);
    ResponseList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ResponseList->setLineWrapMode(QPlainTextEdit::NoWrap);
    ResponseList->setUndoRedoEnabled(false);
    SetPixelFont(ResponseList, 11);
    // The selection stays visible when the box loses the focus.
    QPalette palette = ResponseList->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    ResponseList->setPalette(palette);

    auto *grid = new QGridLayout(TerminalBoxgrp);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setSpacing(4);
    grid->addWidget(SendEdit, 0, 0);
    grid->addWidget(SendBtn, 0, 1);
    grid->addWidget(ResponseList, 1, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    return TerminalBoxgrp;
}

QGroupBox *TMainForm::BuildSystemInfo() {
    SystemInfoGrp = Group(nullptr, "SystemInfoGrp", "System Information");
    SetHint(SystemInfoGrp, "Information about unit");
    SystemInfoGrp->setMinimumWidth(163);
    SystemInfoGrp->setFixedHeight(121);

    SerialNumberlbl = Named<QLabel>("SerialNumberlbl", "Serial Number: 123456", SystemInfoGrp);
    FWVersionlbl = Named<QLabel>("FWVersionlbl", "Firmware Ver: 33.44.55.66", SystemInfoGrp);
    FPGAVersionlbl = Named<QLabel>("FPGAVersionlbl", "FPGA Ver: 33.44.55.66", SystemInfoGrp);

    auto *column = new QVBoxLayout(SystemInfoGrp);
    column->setContentsMargins(8, 4, 8, 4);
    column->addWidget(SerialNumberlbl);
    column->addWidget(FWVersionlbl);
    column->addWidget(FPGAVersionlbl);
    column->addStretch(1);
    return SystemInfoGrp;
}
