#include "GeometryReport.h"

#include "PlusSpinEdit.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSaveFile>
#include <QTimer>
#include <QWidget>

namespace {

void Line(QString &out, const QString &key, const QRect &r) {
    out += QStringLiteral("%1\t%2\t%3\t%4\t%5\n")
               .arg(key)
               .arg(r.x())
               .arg(r.y())
               .arg(r.width())
               .arg(r.height());
}

QRect OnScreen(const QWidget *w, const QRect &local) {
    return QRect(w->mapToGlobal(local.topLeft()), local.size());
}

// The nearest object name at or above w, Qt's own internal names left out.
QString NamedAncestor(const QWidget *w) {
    for (; w; w = w->parentWidget())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            return w->objectName();
    return QString();
}

QString KeyOf(const QWidget *w) {
    const QString name = w->objectName();
    if (name.startsWith(QLatin1String("qt_")))
        return QString();
    if (!name.isEmpty()) {
        if (qobject_cast<const TPlusSpinEdit *>(w->parentWidget()))
            return w->parentWidget()->objectName() + QLatin1Char('.') + name;
        return name;
    }
    if (const auto *button = qobject_cast<const QAbstractButton *>(w))
        if (!button->text().isEmpty())
            return NamedAncestor(w->parentWidget()) + QLatin1Char(':') + button->text();
    return QString();
}

void DescribeWidget(QString &out, const QWidget *w) {
    const QString key = KeyOf(w);
    if (!key.isEmpty())
        Line(out, key, OnScreen(w, w->rect()));
    if (const auto *spin = qobject_cast<const TPlusSpinEdit *>(w)) {
        for (int i = 0; i < spin->Text().size(); ++i)
            Line(out, spin->objectName() + QLatin1Char('#') + QString::number(i),
                 OnScreen(spin, spin->CharacterRect(i)));
    }
    if (const auto *view = qobject_cast<const QAbstractItemView *>(w); view && view->model()) {
        const QString owner = NamedAncestor(view);
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
            const QModelIndex index = view->model()->index(row, 0, view->rootIndex());
            const QRect r = view->visualRect(index).intersected(view->viewport()->rect());
            if (!r.isEmpty())
                Line(out, owner + QLatin1Char(':') + index.data().toString(),
                     OnScreen(view->viewport(), r));
        }
    }
    auto actions = [&out, w](auto *menu) {
        for (QAction *a : menu->actions())
            if (!a->objectName().isEmpty() && a->isVisible() && !menu->actionGeometry(a).isEmpty())
                Line(out, a->objectName(), OnScreen(w, menu->actionGeometry(a)));
    };
    if (const auto *bar = qobject_cast<const QMenuBar *>(w))
        actions(bar);
    if (const auto *menu = qobject_cast<const QMenu *>(w))
        actions(menu);
}

} // namespace

void TGeometryReport::InstallFromEnvironment() {
    const QString path = qEnvironmentVariable(EnvironmentVariable);
    if (!path.isEmpty() && qApp)
        new TGeometryReport(path, qApp);
}

TGeometryReport::TGeometryReport(const QString &path, QObject *parent)
    : QObject(parent), FPath(path) {
    qApp->installEventFilter(this);
}

QString TGeometryReport::Describe() {
    QString out;
    if (const QWidget *focus = QApplication::focusWidget())
        out += QStringLiteral("@focus\t%1\n").arg(KeyOf(focus));
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (!top->isVisible())
            continue;
        DescribeWidget(out, top);
        for (QWidget *w : top->findChildren<QWidget *>())
            if (w->isVisible() && !w->isWindow())
                DescribeWidget(out, w);
    }
    return out;
}

bool TGeometryReport::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::FocusIn:
        if (watched->isWidgetType())
            Schedule();
        break;
    case QEvent::Paint: // a new value moves the digits of a numeric entry
        if (qobject_cast<TPlusSpinEdit *>(watched))
            Schedule();
        break;
    default:
        break;
    }
    return false;
}

// Many events come in one burst; one write after they are all handled.
void TGeometryReport::Schedule() {
    if (FScheduled)
        return;
    FScheduled = true;
    QTimer::singleShot(0, this, [this] { Write(); });
}

void TGeometryReport::Write() {
    FScheduled = false;
    QSaveFile file(FPath);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(Describe().toUtf8());
    file.commit();
}
