#include "yard/imprime_pista.h"

#include "app/imprime_bobina.h"
#include "yard/comprovantes.h"

namespace {

DadosComprovante comprovante_da_entrada(const CamposEntrada& c, const ResultadoPista& r) {
    DadosComprovante d;
    d.tic = r.tic;
    d.pla = c.pla;
    d.pri = c.pri;
    d.vei = c.vei;
    d.dat_ent = r.dat_ent;
    d.hor_ent = r.hor_ent;
    d.priVisivel = c.priVisivel;
    d.veiVisivel = c.veiVisivel;
    return d;
}

DadosComprovante comprovante_da_saida(const CamposSaida& c) {
    DadosComprovante d;
    d.tic = c.tic;
    d.pla = c.pla;
    d.pri = c.pri;
    d.vei = c.vei;
    d.dat_ent = c.dat_ent;
    d.hor_ent = c.hor_ent;
    d.dat_sai = c.dat_sai;
    d.hor_sai = c.hor_sai;
    if (c.calculo) d.tot = c.calculo->total.formata();
    d.priVisivel = c.priVisivel;
    d.veiVisivel = c.veiVisivel;
    return d;
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
