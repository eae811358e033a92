#include "shell/ui/ControlTypes.h"

#include "shell/ui/SkinWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeView>
#include <QTableView>

QString ControlTypeName(const QWidget* c) {
    if (!c) return QString();
    if (qobject_cast<const SkinImage*>(c)) return QStringLiteral("Image");
    if (qobject_cast<const QLabel*>(c)) return QStringLiteral("Label");
    if (qobject_cast<const QLineEdit*>(c) || qobject_cast<const QPlainTextEdit*>(c)) return QStringLiteral("TextBox");
    if (qobject_cast<const QTextEdit*>(c)) return QStringLiteral("RichTextBox");
    if (qobject_cast<const QComboBox*>(c)) return QStringLiteral("ComboBox");
    if (qobject_cast<const QListView*>(c)) return QStringLiteral("ListBox");
    if (qobject_cast<const QTreeView*>(c) || qobject_cast<const QTableView*>(c)) return QStringLiteral("ListView");
    if (qobject_cast<const QPushButton*>(c)) return QStringLiteral("CommandButton");
    if (qobject_cast<const QCheckBox*>(c)) return QStringLiteral("CheckBox");
    if (qobject_cast<const QRadioButton*>(c)) return QStringLiteral("OptionButton");
    if (qobject_cast<const QGroupBox*>(c)) return QStringLiteral("Frame");
    if (qobject_cast<const QTabBar*>(c) || qobject_cast<const QTabWidget*>(c)) return QStringLiteral("TabStrip");
    if (qobject_cast<const QProgressBar*>(c)) return QStringLiteral("ProgressBar");
    const QString cls = QString::fromLatin1(c->metaObject()->className());
    if (cls == QLatin1String("QWidget") || cls == QLatin1String("QFrame")) return QStringLiteral("PictureBox");
    return cls;
}

namespace {
bool IsInternal(const QWidget* w) {
    return w->isWindow() || w->objectName().startsWith(QLatin1String("qt_"));
}

QList<QWidget*> ChildControls(QWidget* parent) {
    QList<QWidget*> list;
    for (QObject* object : parent->children()) {
        auto* w = qobject_cast<QWidget*>(object);
        if (w && !IsInternal(w)) list.append(w);
    }
    return list;
}

void Walk(QWidget* parent, QList<QWidget*>& out) {
    for (QWidget* w : ChildControls(parent)) {
        out.append(w);
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (QWidget* page = tabs->widget(i)) Walk(page, out);
            }
            continue;
        }
        if (auto* stack = qobject_cast<QStackedWidget*>(w)) {
            for (int i = 0; i < stack->count(); ++i) {
                if (QWidget* page = stack->widget(i)) Walk(page, out);
            }
            continue;
        }
        const QString type = ControlTypeName(w);
        if (type == QLatin1String("Frame") || type == QLatin1String("PictureBox")) Walk(w, out);
    }
}
}  // namespace

QList<QWidget*> WindowControls(QWidget* window) {
    QList<QWidget*> list;
    if (window) Walk(window, list);
    return list;
}

QList<QWidget*> DirectControls(QWidget* window) { return window ? ChildControls(window) : QList<QWidget*>(); }
