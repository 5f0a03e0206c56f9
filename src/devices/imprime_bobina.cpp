#include "devices/imprime_bobina.h"

bool ha_impressora(const Estado& estado) { return !estado.impressora.trimmed().isEmpty(); }

bool imprime_bobina(Contexto& ctx, const QByteArray& bytes, const QString& aviso) {
    if (!ha_impressora(ctx.estado)) return false;
    const QString porta = ctx.estado.impressora.trimmed();
    const QString falha = ctx.plataforma.impressora().imprime(porta, bytes);
    if (falha.isEmpty()) return true;
    QString texto = QStringLiteral("A impressão não saiu na impressora da porta %1.\n\n%2").arg(porta, falha);
    if (!aviso.isEmpty()) texto += QStringLiteral("\n\n") + aviso;
    ctx.plataforma.mensagem(texto, Icone::Exclamacao);
    return false;
}
