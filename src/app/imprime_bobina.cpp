#include "app/imprime_bobina.h"

#include "app/aviso_falhas.h"

namespace {

QString textoFalhas(const QString& porta, const ImpressoesBobina::Falhas& f) {
    return QStringLiteral("Não saíram na impressora da porta %1: %2.\n\n%3\n\n"
                          "Os registros estão gravados; só as impressões não saíram.")
        .arg(porta, f.contagem.descreve(), f.motivo);
}

}  // namespace

bool ha_impressora(const Estado& estado) { return !estado.impressora.trimmed().isEmpty(); }

bool imprime_bobina(Contexto& ctx, Impresso tipo, const QByteArray& bytes) {
    if (!ha_impressora(ctx.estado)) return false;
    const QString porta = ctx.estado.impressora.trimmed();
    std::weak_ptr<ImpressoesBobina> registro = ctx.estado.impressoes;
    Plataforma* plataforma = &ctx.plataforma;
    ctx.estado.impressoes->aCaminho.soma(tipo);
    ctx.plataforma.impressora().envia(porta, bytes, [registro, plataforma, porta, tipo](const QString& falha) {
        const std::shared_ptr<ImpressoesBobina> r = registro.lock();
        if (!r) return;
        r->aCaminho.soma(tipo, -1);
        if (falha.isEmpty()) return;
        // A burst of failures (a printer gone while the lane went on) is one notice that counts
        // them all, until the operator has closed it.
        avisaFalha(
            *plataforma, std::shared_ptr<QMap<QString, ImpressoesBobina::Falhas>>(r, &r->falhas),
            QStringLiteral("impressora ") + porta,
            [&](ImpressoesBobina::Falhas& f) {
                f.contagem.soma(tipo);
                f.motivo = falha;
                return textoFalhas(porta, f);
            });
    });
    return true;
}

void sai_do_programa(Contexto& ctx) {
    // The question counts the printouts still waiting at each moment: those that end while it is
    // open, printed or failed, leave its count. Enter keeps the program running, so that an
    // Enter typed by habit drops nothing.
    const auto pergunta = [impressoes = ctx.estado.impressoes] {
        const ContagemImpressos& pendentes = impressoes->aCaminho;
        if (pendentes.vazia()) return QString();
        return QStringLiteral("Ainda não saíram na impressora: %1.\n\nSair agora? Essas impressões "
                              "serão perdidas.\nEscolha Não para continuar no programa enquanto a "
                              "impressora as imprime.")
            .arg(pendentes.descreve());
    };
    if (!pergunta().isEmpty() && !ctx.plataforma.perguntaAtualizada(pergunta)) return;
    ctx.plataforma.encerra();
}
