#include "RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(QWidget *parent, const QString &name, const QString &title,
                         const QStringList &items)
    : QGroupBox(title, parent), FButtons(new QButtonGroup(this)) {
    setObjectName(name);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto *radio = new QRadioButton(items[i], this);
        radio->setObjectName(name + QLatin1String("Item") + QChar(u'A' + i));
        FButtons->addButton(radio, i);
        layout->addWidget(radio);
    }
    connect(FButtons, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit itemSelected(id);
    });
}

int TRadioGroup::ItemIndex() const {
    return FButtons->checkedId();
}

void TRadioGroup::setItemIndex(int index) {
    if (QAbstractButton *b = FButtons->button(index))
        b->setChecked(true);
}

int TRadioGroup::count() const {
    return static_cast<int>(FButtons->buttons().size());
}

QRadioButton *TRadioGroup::button(int index) const {
    return qobject_cast<QRadioButton *>(FButtons->button(index));
}
