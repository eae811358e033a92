#include "shell/ui/LabelMenuMarks.h"

#include <QLabel>
#include <QVariant>
#include <QWidget>

namespace {
const char* const kProperty = "AccessKeysHidden";
}

void SetAccessKeysHidden(QWidget* window, bool hidden) {
    if (!window) return;
    if (window->property(kProperty).toBool() == hidden) return;
    window->setProperty(kProperty, hidden);
    for (QLabel* label : window->findChildren<QLabel*>()) label->update();
}

bool AccessKeysHidden(const QWidget* control) {
    const QWidget* window = control ? control->window() : nullptr;
    return window && window->property(kProperty).toBool();
}

int MnemonicFlag(const QWidget* label) {
    return AccessKeysHidden(label) ? Qt::TextHideMnemonic : Qt::TextShowMnemonic;
}
