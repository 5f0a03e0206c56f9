#include "widgets/colagem.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QToolTip>

namespace {

// The paste entry of a field's standard context menu, under the caption the menu gives it.
bool ehColar(const QAction* a) {
    return a->objectName() == QLatin1String("edit-paste") ||
           a->text().section(u'\t', 0, 0) == QCoreApplication::translate("QLineEdit", "&Paste");
}

}  // namespace

void mostraMenuColando(QLineEdit* campo, const QPoint& onde, const std::function<void()>& cola) {
    QMenu* menu = campo->createStandardContextMenu();
    for (QAction* a : menu->actions()) {
        if (!ehColar(a)) continue;
        QObject::disconnect(a, &QAction::triggered, nullptr, nullptr);
        QObject::connect(a, &QAction::triggered, campo, cola);
    }
    menu->exec(onde);
    delete menu;
}

void avisaColagemRecusada(QLineEdit* campo, const QString& mensagem) {
    QApplication::beep();
    QToolTip::showText(campo->mapToGlobal(QPoint(0, campo->height())), mensagem, campo);
}
