#include "yard/imprime_pista.h"

#include "app/imprime_bobina.h"
#include "yard/comprovantes.h"

namespace {

// The entry's ticket shows the number, date and time the entry gave the vehicle; no exit yet.
DadosComprovante comprovante_da_entrada(const CamposEntrada& c, const ResultadoPista& r) {
    return {.tic = r.tic, .pla = c.pla, .pri = c.pri, .vei = c.vei, .dat_ent = r.dat_ent,
            .hor_ent = r.hor_ent, .dat_sai = {}, .hor_sai = {}, .tot = {},
            .priVisivel = c.priVisivel, .veiVisivel = c.veiVisivel};
}

DadosComprovante comprovante_da_saida(const CamposSaida& c) {
    return {.tic = c.tic, .pla = c.pla, .pri = c.pri, .vei = c.vei, .dat_ent = c.dat_ent,
            .hor_ent = c.hor_ent, .dat_sai = c.dat_sai, .hor_sai = c.hor_sai,
            .tot = c.calculo ? c.calculo->total.formata() : QString(),
            .priVisivel = c.priVisivel, .veiVisivel = c.veiVisivel};
}

}  // namespace

bool ha_impressora_fiscal(const Estado& e) {
    return !e.impressora_fiscal.trimmed().isEmpty() || e.duas_impressoras;
}

void imprime_entrada(Contexto& ctx, const CamposEntrada& c, const ResultadoPista& r) {
    imprime_bobina(ctx, Impresso::ComprovanteEntrada,
                   comprovante_entrada(ConfigBobina::de(ctx.estado), comprovante_da_entrada(c, r)));
}

void imprime_saida(Contexto& ctx, const CamposSaida& c, ResultadoPista& r) {
    Estado& e = ctx.estado;
    const DadosComprovante d = comprovante_da_saida(c);
    const QString registrada = QStringLiteral("A saída do veículo está registrada.");
    if (ha_impressora_fiscal(e)) {
        r.cupomFiscal = true;
        if (e.impressora_fiscal == kModeloFiscal) {
            const ResultadoCupom cupom = cupom_fiscal_saida(
                ctx.plataforma.fiscal(), e.codigo_aliquota, e.ult_linha, d, e.retorno_daruma, e.cupom_aberto);
            if (!cupom.texto.isEmpty())
                ctx.plataforma.mensagem(cupom.texto + QStringLiteral("\n\n") + registrada,
                                        cupom.falhou ? Icone::Exclamacao : Icone::Informacao);
        }
        return;
    }
    if (c.soAutenticacao) {
        imprime_bobina(ctx, Impresso::Autenticacao, linha_autenticacao(d, e.bobina));
        r.autenticacaoImpressa = true;
    } else {
        imprime_bobina(ctx, Impresso::ComprovanteSaida, comprovante_saida(ConfigBobina::de(e), d));
    }
}
