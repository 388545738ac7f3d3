#include "PickPortDialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace {

QFont DialogFont(int pixelHeight, bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

} // namespace

TformPickPort::TformPickPort(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("formPickPort"));
    setWindowTitle(QStringLiteral("Select Serial Port"));
    setFont(DialogFont(11, true));
    setFixedSize(240, 93);

    GroupBox1 = new QGroupBox(QStringLiteral("Serial Port"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setFont(DialogFont(13, false));
    GroupBox1->setGeometry(8, 8, 130, 67);

    listPorts = new QComboBox(GroupBox1);
    listPorts->setObjectName(QStringLiteral("listPorts"));
    listPorts->setEditable(false);
    listPorts->move(11, 25);
    listPorts->setFixedWidth(108);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(149, 14, 77, 27);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(149, 46, 77, 27);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TformPickPort::showEvent(QShowEvent *event) {
    // The items carry the device path: let the open list be as wide as its longest item.
    listPorts->view()->setMinimumWidth(listPorts->view()->sizeHintForColumn(0) + 24);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    OKBtn->setFocus();
    QDialog::showEvent(event);
}
