#include "shell/ui/PlainControls.h"

#include <QLabel>
#include <QLineEdit>

QString Indexed(const char* name, int index) { return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index); }

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption) {
    return Named(new QLabel(caption, parent), name);
}

QLineEdit* MakeLineEdit(QWidget* parent, const QString& name, int maxLength) {
    auto* box = Named(new QLineEdit(parent), name);
    if (maxLength > 0) box->setMaxLength(maxLength);
    return box;
}
