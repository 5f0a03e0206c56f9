// The yard list of the main window and its three counters.

#include "yard/janela_principal.h"
#include "yard/modelo_patio.h"

#include <QLabel>

void JanelaPrincipal::atualiza_lista_patio() {
    grid1->modelo()->recarrega(ctx_.estado.db);
    mostraContadores();
}

void JanelaPrincipal::entrouNoPatio(qint64 id) {
    grid1->modelo()->entrou(ctx_.estado.db, id);
    mostraContadores();
}

void JanelaPrincipal::saiuDoPatio(qint64 id) {
    grid1->modelo()->saiu(ctx_.estado.db, id);
    mostraContadores();
}

void JanelaPrincipal::mostraContadores() {
    auto contagem = [](qint64 n, bool nenhumSeZero) {
        if (nenhumSeZero && n <= 0) return QStringLiteral("Nenhum");
        if (n == 1) return QStringLiteral("1 Veículo");
        return QStringLiteral("%1 Veículos").arg(n);
    };
    const ModeloPatio* m = grid1->modelo();
    if (m->total() == 0) {
        tot_men->setText(QStringLiteral("Nenhum"));
        tot_avu->setText(QStringLiteral("Nenhum"));
        total->setText(QStringLiteral("Nenhum"));
        return;
    }
    total->setText(contagem(m->total(), false));
    tot_avu->setText(contagem(m->avulsos(), true));
    tot_men->setText(contagem(m->total() - m->avulsos(), true));
}
