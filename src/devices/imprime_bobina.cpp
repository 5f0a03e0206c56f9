#include "devices/imprime_bobina.h"

#include <QHash>

namespace {

// Printouts are numbered as they are handed over. For each port, the number of the last one
// handed when a failure on it was told: a later failure of one of those is the same failure.
struct Avisos {
    quint64 entregues = 0;
    QHash<QString, quint64> contadoAte;
};

Avisos& avisos() {
    static Avisos a;
    return a;
}

}  // namespace

bool ha_impressora(const Estado& estado) { return !estado.impressora.trimmed().isEmpty(); }

bool imprime_bobina(Contexto& ctx, const QByteArray& bytes, const QString& aviso) {
    if (!ha_impressora(ctx.estado)) return false;
    const QString porta = ctx.estado.impressora.trimmed();
    const quint64 numero = ++avisos().entregues;
    Plataforma* plataforma = &ctx.plataforma;
    ctx.plataforma.impressora().envia(porta, bytes, [plataforma, porta, numero, aviso](const QString& falha) {
        if (falha.isEmpty()) return;
        Avisos& a = avisos();
        if (numero <= a.contadoAte.value(porta)) return;
        a.contadoAte[porta] = a.entregues;
        QString texto = QStringLiteral("A impressão não saiu na impressora da porta %1.\n\n%2").arg(porta, falha);
        if (!aviso.isEmpty()) texto += QStringLiteral("\n\n") + aviso;
        plataforma->mensagem(texto, Icone::Exclamacao);
    });
    return true;
}
