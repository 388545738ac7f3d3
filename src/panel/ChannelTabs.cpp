// Pages of channels 2..N, copied from the channel-1 page in its present state.
#include "MainForm.h"

#include "ChannelBoxes.h"
#include "CheckListBox.h"
#include "FormParts.h"
#include "PageControl.h"
#include "PlusSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>

namespace {

QString Numbered(const char *stem, int n) {
    return QString::fromLatin1(stem) + QString::number(n);
}

QComboBox *CopySelector(const QComboBox *from, QWidget *parent, const QString &name) {
    auto *to = new QComboBox(parent);
    FormParts::CopyFontSize(from, to);
    to->setObjectName(name);
    QStringList items;
    items.reserve(from->count());
    for (int i = 0; i < from->count(); ++i)
        items << from->itemText(i);
    to->addItems(items);
    to->setCurrentIndex(from->currentIndex());
    if (from->isEditable()) {
        to->setEditable(true);
        to->setEditText(from->currentText());
    }
    return to;
}

TCheckListBox *CopyCheckList(const TCheckListBox *from, QWidget *parent, const QString &name) {
    auto *to = new TCheckListBox(parent);
    FormParts::CopyFontSize(from, to);
    to->setObjectName(name);
    to->setItems(from->Items());
    to->setCurrentRow(from->currentRow());
    to->setColumns(from->Columns());
    return to;
}

} // namespace

void TMainForm::CreateChannelTabs(int channelCount) {
    if (State.TabsCreated)
        return;
    const int last = qMin(channelCount, int(MaxChannels));
    for (int n = 2; n <= last; ++n) {
        const TChannelPage page = CloneChannelPage(n);
        PlaceChannelControls(page);
        // The copy's controls take the place of the template's in the focus chain, so that
        // Tab leaves every page for the same control (the terminal below).
        const TChannelBoxDef &lastDrawn = ChannelBoxes[DrawingOrder().back()];
        QWidget *previous =
            ChPageControl->page(n - 2)->findChild<QWidget *>(Numbered(lastDrawn.EditorStem, n - 1));
        ChainInDrawingOrder(previous, page.Enable, page.Editors);
        FillChannelTables(n);
        emit ChannelPageCreated(n);
    }
    State.TabsCreated = true;
    FActiveChControls.resize(ChPageControl->count());
}

TMainForm::TChannelPage TMainForm::CloneChannelPage(int n) {
    const TChannelPage &t = FTemplate;
    TChannelPage p;
    p.Page = new QWidget;
    p.Page->setObjectName(Numbered("TabCh", n));
    ChPageControl->addPage(p.Page, "Ch " + QString::number(n));

    p.Frame = new QGroupBox(p.Page);
    FormParts::CopyFontSize(t.Frame, p.Frame);
    p.Frame->setObjectName(Numbered("ChFunctGrp", n));

    p.Enable = new QCheckBox(p.Frame);
    FormParts::CopyFontSize(t.Enable, p.Enable);
    p.Enable->setObjectName(Numbered("ChEnablebox", n));
    p.Enable->setText(t.Enable->text());
    p.Enable->setChecked(t.Enable->isChecked());
    FormParts::CopyHint(t.Enable, p.Enable);

    for (int i = 0; i < cbCount; ++i) {
        const TChannelBoxDef &def = ChannelBoxes[i];
        QGroupBox *box = FormParts::Group(p.Frame, Numbered(def.GroupStem, n), t.Boxes[i]->title());
        FormParts::CopyFontSize(t.Boxes[i], box);
        FormParts::CopyHint(t.Boxes[i], box);
        p.Boxes[i] = box;

        const QString name = Numbered(def.EditorStem, n);
        switch (def.Kind) {
        case TEditorKind::Spin:
            p.Editors[i] =
                FormParts::CopySpin(static_cast<TPlusSpinEdit *>(t.Editors[i]), box, name);
            break;
        case TEditorKind::Selector:
            p.Editors[i] = CopySelector(static_cast<QComboBox *>(t.Editors[i]), box, name);
            break;
        case TEditorKind::CheckList:
            p.Editors[i] = CopyCheckList(static_cast<TCheckListBox *>(t.Editors[i]), box, name);
            break;
        }
    }
    return p;
}
