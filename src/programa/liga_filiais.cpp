#include "programa/liga_filiais.h"

#include "branches/janela_backup.h"
#include "branches/janela_filiais.h"
#include "programa/janela_unica.h"
#include "yard/janela_principal.h"

namespace {

// A restored database has its own cash registers: the operator goes on with his register when
// the backup holds it open, and with none otherwise, so that no exit is charged to a register
// the database does not have.
void acompanhaBancoRestaurado(Contexto& ctx, JanelaPrincipal& a) {
    Estado& e = ctx.estado;
    try {
        // Without the main screen's right the register stays out of reach, whatever the backup
        // holds.
        if (e.permissao_pri) {
            const QVariant aberto = e.db.valor(
                QStringLiteral("SELECT numero FROM caixa WHERE aberto = 1 AND usuario = ? ORDER BY numero"),
                {e.usuario_atual});
            e.numero_caixa = aberto.isNull() ? 0 : aberto.toInt();
            a.mostraCaixa();
        }
        a.atualiza_lista_patio();
        a.bancoTrocado();
    } catch (const ErroBanco& erro) {
        ctx.plataforma.mensagem(erro.mensagem(), Icone::Critico);
    }
}

}  // namespace

void liga_filiais(Contexto& ctx, JanelaPrincipal& a) {
    a.abreJanelaBarra[5] = abreUmaVez<JanelaFiliais>(ctx, a);
    a.abreJanelaBarra[6] = abreUmaVez<JanelaBackup>(ctx, a, [&ctx, &a](JanelaBackup& j) {
        j.aoTrocarBanco = [&ctx, &a] { acompanhaBancoRestaurado(ctx, a); };
    });
}
