#include "foundation/MessageUi.h"
#include "foundation/ui/QtMessageUi.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sonivard"));
    QApplication::setApplicationVersion(QStringLiteral(SV_VERSION));
    QtMessageUi messageUi;
    SetMessageUi(&messageUi);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Sonivard"));
    window.resize(800, 600);
    window.show();
    const int rc = QApplication::exec();
    SetMessageUi(nullptr);
    return rc;
}
