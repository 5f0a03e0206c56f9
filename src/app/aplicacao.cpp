#include "app/aplicacao.h"

#include "app/falha_solta.h"

bool Aplicacao::notify(QObject* receptor, QEvent* evento) {
    if (!plataforma_) return QApplication::notify(receptor, evento);
    return entregaSemEncerrar(*plataforma_, [&] { return QApplication::notify(receptor, evento); });
}
