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
    // A label is set only when its text changes: a car of one kind leaves the other's count as
    // it was.
    auto poe = [](QLabel* rotulo, const QString& texto) {
        if (rotulo->text() != texto) rotulo->setText(texto);
    };
    const ModeloPatio* m = grid1->modelo();
    if (m->total() == 0) {
        for (QLabel* l : {tot_men, tot_avu, total}) poe(l, QStringLiteral("Nenhum"));
        return;
    }
    poe(total, contagem(m->total(), false));
    poe(tot_avu, contagem(m->avulsos(), true));
    poe(tot_men, contagem(m->total() - m->avulsos(), true));
}
