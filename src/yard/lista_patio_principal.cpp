// The yard list of the main window, its columns and its three counters.

#include "yard/janela_principal.h"
#include "widgets/colunas_grade.h"
#include "yard/modelo_patio.h"

#include <QGroupBox>
#include <QLabel>

void JanelaPrincipal::atualiza_lista_patio() {
    grid1->modelo()->recarrega(ctx_.estado.db);
    mostraContadores();
}

void JanelaPrincipal::mostraListaPatio() {
    // Another user's register keeps the yard list hidden, whatever the setting.
    const bool mostrar = mostrarLista_ && !caixaDeOutro_;
    Frame3->setVisible(mostrar);
    if (!mostrar) return;
    grid1->setHorizontalHeaderLabels({QStringLiteral("Pr."), QStringLiteral("Placa"),
                                      QStringLiteral("Data Ent."), QStringLiteral("Hora Ent.")});
    // The widest texts the columns can hold: a tag of three digits, a plate of the widest
    // letters, a date and a time. The list is never measured row by row as cars come and go.
    alargaColunas(*grid1, {{QStringLiteral("000")},
                           {QStringLiteral("WWW-WWWW"), QStringLiteral("MMM-MMMM")},
                           {QStringLiteral("00/00/00")},
                           {QStringLiteral("00:00:00")}});
    atualiza_lista_patio();
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
