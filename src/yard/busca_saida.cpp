// Finding a parked vehicle at the exit: by ticket, plate or tag when the field is left, or by a
// click in the yard list. The lane panel is filled from the yard row and the program clock.

#include "data/datas.h"
#include "yard/janela_principal.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableWidget>

namespace {

QString textoTicket(const QVariant& ticket) {
    return ticket.isNull() ? kTicketMensalista : QString::number(ticket.toLongLong()).leftJustified(10, u' ');
}

}  // namespace

void JanelaPrincipal::limpaEncontrados() {
    for (QLineEdit* c : {dat_ent, hor_ent, dat_sai, hor_sai, tot, tro, vei}) c->clear();
}

void JanelaPrincipal::focaModalidadeEscolhida() {
    for (QRadioButton* o : {Option3, Option4, Option5, Option6, Option7})
        if (o->isChecked()) {
            o->setFocus();
            return;
        }
}

void JanelaPrincipal::preencheVeiculo(const QSqlRecord& r, bool preenchePlaca) {
    if (preenchePlaca) pla->setText(r.value(QStringLiteral("placa")).toString());
    dat_ent->setText(dataBr(dataDoBanco(r.value(QStringLiteral("data_entrada")))));
    hor_ent->setText(horaHms(horaDoBanco(r.value(QStringLiteral("hora_entrada")))));
    dat_sai->setText(dataBr(ctx_.estado.data_atual));
    hor_sai->setText(horaHms(ctx_.estado.hora_atual));
    vei->setText(r.value(QStringLiteral("veiculo")).toString());
}

void JanelaPrincipal::tic_LostFocus() {
    // "0000000000" is what the lookups write for a subscriber's vehicle, which has no ticket:
    // looking it up would find nothing and blank the vehicle just shown, as happens when a
    // click in the yard list puts the focus on `tic` on its way to the payment kind.
    const QString texto = tic->displayText().trimmed();
    if (texto.isEmpty() || tic->displayText() == kTicketMensalista) return;
    QSqlQuery q = ctx_.estado.db.executa(
        QStringLiteral("SELECT * FROM veiculos_patio WHERE ticket = ?"), {texto.toLongLong()});
    if (!q.next()) {
        if (!Option1->isChecked()) tic->setText(kTicketVazio);
        limpaEncontrados();
        return;
    }
    preencheVeiculo(q.record(), true);
    focaModalidadeEscolhida();
}

// A subscriber's vehicle carries no ticket: it shows "0000000000" and is charged as one. The
// kind is chosen once the dates are in the panel, so its fee is computed for this stay.
static void marcaMensalista(const QSqlRecord& r, QRadioButton* opcao) {
    if (r.value(QStringLiteral("ticket")).isNull()) JanelaPrincipal::marca(opcao, true);
}

void JanelaPrincipal::pla_LostFocus() {
    const QString placa = pla->displayText();
    if (placa.trimmed() == QLatin1String("-")) {
        limpaEncontrados();
    } else {
        QSqlQuery q = ctx_.estado.db.executa(
            QStringLiteral("SELECT * FROM veiculos_patio WHERE placa = ?"), {placa});
        if (q.next()) {
            const QSqlRecord r = q.record();
            tic->setText(textoTicket(r.value(QStringLiteral("ticket"))));
            preencheVeiculo(r, false);
            marcaMensalista(r, Option6);
        } else {
            limpaEncontrados();
        }
    }
    if (pri->isHidden() && vei->isHidden() && Option2->isChecked()) focaModalidadeEscolhida();
}

void JanelaPrincipal::pri_LostFocus() {
    const QString texto = pri->displayText().trimmed();
    if (!texto.isEmpty()) {
        QSqlQuery q = ctx_.estado.db.executa(
            QStringLiteral("SELECT * FROM veiculos_patio WHERE prisma = ?"), {texto.toInt()});
        if (q.next()) {
            const QSqlRecord r = q.record();
            tic->setText(textoTicket(r.value(QStringLiteral("ticket"))));
            preencheVeiculo(r, true);
            marcaMensalista(r, Option6);
        } else {
            limpaEncontrados();
        }
    }
    if (Option2->isChecked()) focaModalidadeEscolhida();
}

void JanelaPrincipal::grid1_Click(int linha) {
    if (linha < 0 || linha >= grid1->rowCount() || !grid1->item(linha, 1)) return;
    ultima_modalidade.clear();
    const QString placa = grid1->item(linha, 1)->text();
    QSqlQuery q = ctx_.estado.db.executa(
        QStringLiteral("SELECT * FROM veiculos_patio WHERE placa = ?"), {placa});
    if (!q.next()) {
        limpaEncontrados();
        return;
    }
    const QSqlRecord r = q.record();
    marca(Option2, true);
    tic->setText(textoTicket(r.value(QStringLiteral("ticket"))));
    pla->setText(placa);
    preencheVeiculo(r, false);
    marcaMensalista(r, Option6);
    if (!Frame2->isEnabled()) return;
    for (QRadioButton* o : {Option3, Option4, Option5, Option6, Option7})
        if (o->isChecked()) {
            o->setFocus();
            return;
        }
    if (Option3->isEnabled()) {
        marca(Option3, true);
        val_pag->setFocus();
    } else {
        ctx_.plataforma.mensagem(
            QStringLiteral("Escolha a modalidade de estacionamento (Rotativo, Turno, etc.)"));
    }
}
