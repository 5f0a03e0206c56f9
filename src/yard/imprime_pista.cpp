#include "yard/imprime_pista.h"

#include "app/imprime_bobina.h"
#include "yard/janela_principal.h"

#include <QCheckBox>
#include <QLineEdit>

DadosComprovante dados_da_pista(const JanelaPrincipal& j) {
    DadosComprovante d;
    d.tic = j.tic->displayText();
    d.pla = j.pla->displayText();
    d.pri = j.pri->displayText();
    d.vei = j.vei->text();
    d.dat_ent = j.dat_ent->text();
    d.hor_ent = j.hor_ent->text();
    d.dat_sai = j.dat_sai->text();
    d.hor_sai = j.hor_sai->text();
    d.tot = j.tot->text();
    d.priVisivel = !j.pri->isHidden();
    d.veiVisivel = !j.vei->isHidden();
    return d;
}

bool ha_impressora_fiscal(const Estado& e) {
    return !e.impressora_fiscal.trimmed().isEmpty() || e.duas_impressoras;
}

void imprime_entrada(Contexto& ctx, const DadosComprovante& d) {
    imprime_bobina(ctx, Impresso::ComprovanteEntrada, comprovante_entrada(ConfigBobina::de(ctx.estado), d));
}

bool imprime_saida(Contexto& ctx, JanelaPrincipal& j, const DadosComprovante& d) {
    Estado& e = ctx.estado;
    const QString registrada = QStringLiteral("A saída do veículo está registrada.");
    if (ha_impressora_fiscal(e)) {
        if (e.impressora_fiscal == kModeloFiscal) {
            const ResultadoCupom r = cupom_fiscal_saida(ctx.plataforma.fiscal(), e.codigo_aliquota,
                                                        e.ult_linha, d, e.retorno_daruma, e.cupom_aberto);
            if (!r.texto.isEmpty())
                ctx.plataforma.mensagem(r.texto + QStringLiteral("\n\n") + registrada,
                                        r.falhou ? Icone::Exclamacao : Icone::Informacao);
        }
        return false;
    }
    if (j.Check1->isChecked()) {
        imprime_bobina(ctx, Impresso::Autenticacao, linha_autenticacao(d, e.bobina));
        j.Check1->setChecked(false);
    } else {
        imprime_bobina(ctx, Impresso::ComprovanteSaida, comprovante_saida(ConfigBobina::de(e), d));
    }
    return true;
}
