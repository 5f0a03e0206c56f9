// Finding a parked vehicle at the exit: by ticket, plate or tag when the field is left, or by a
// click in the yard list. The lane panel is filled from the yard row and the program clock.

#include "data/datas.h"
#include "yard/busca_patio.h"
#include "yard/janela_principal.h"
#include "yard/modelo_patio.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSqlQuery>
#include <QSqlRecord>

#include <optional>

namespace {

QString textoTicket(const QVariant& ticket) {
    return ticket.isNull() ? kTicketMensalista : QString::number(ticket.toLongLong()).leftJustified(10, u' ');
}

}  // namespace

void JanelaPrincipal::limpaEncontrados() {
    for (QLineEdit* c : {dat_ent, hor_ent, dat_sai, hor_sai, tot, tro, vei}) c->clear();
}

bool JanelaPrincipal::focaModalidadeEscolhida() {
    for (QRadioButton* o : {Option3, Option4, Option5, Option6, Option7})
        if (o->isChecked()) {
            o->setFocus();
            return true;
        }
    return false;
}

std::optional<RegistroPatio> JanelaPrincipal::veiculoNoPatio(const char* campo, const QVariant& valor) {
    return busca_no_patio(ctx_.estado.db, campo, valor);
}

void JanelaPrincipal::preencheVeiculo(const RegistroPatio& r, bool preenchePlaca) {
    if (preenchePlaca) pla->setText(r.value(QStringLiteral("placa")).toString());
    dat_ent->setText(dataBr(dataDoBanco(r.value(QStringLiteral("data_entrada")))));
    hor_ent->setText(horaHms(horaDoBanco(r.value(QStringLiteral("hora_entrada")))));
    dat_sai->setText(dataBr(ctx_.estado.data_atual));
    hor_sai->setText(horaHms(ctx_.estado.hora_atual));
    vei->setText(r.value(QStringLiteral("veiculo")).toString());
}

// A subscriber's vehicle carries no ticket: it shows "0000000000" and is charged as one. The
// kind is chosen once the dates are in the panel, so its fee is computed for this stay.
void JanelaPrincipal::mostraVeiculoComTicket(const RegistroPatio& r, bool preenchePlaca) {
    const QVariant ticket = r.value(QStringLiteral("ticket"));
    tic->setText(textoTicket(ticket));
    preencheVeiculo(r, preenchePlaca);
    if (ticket.isNull()) marca(Option6, true);
}

void JanelaPrincipal::tic_LostFocus() {
    // "0000000000" is what the lookups write for a subscriber's vehicle, which has no ticket:
    // looking it up would find nothing and blank the vehicle just shown, as happens when a
    // click in the yard list puts the focus on `tic` on its way to the payment kind.
    const QString texto = tic->displayText().trimmed();
    if (texto.isEmpty() || tic->displayText() == kTicketMensalista) return;
    const auto r = veiculoNoPatio("ticket", texto.toLongLong());
    if (!r) {
        if (!Option1->isChecked()) tic->setText(kTicketVazio);
        limpaEncontrados();
        return;
    }
    preencheVeiculo(*r, true);
    focaModalidadeEscolhida();
}

void JanelaPrincipal::pla_LostFocus() {
    const QString placa = pla->displayText();
    const auto r = placa.trimmed() == QLatin1String("-") ? std::nullopt
                                                         : veiculoNoPatio("placa", placa);
    if (r) mostraVeiculoComTicket(*r, false);
    else limpaEncontrados();
    if (pri->isHidden() && vei->isHidden() && Option2->isChecked()) focaModalidadeEscolhida();
}

void JanelaPrincipal::pri_LostFocus() {
    const QString texto = pri->displayText().trimmed();
    if (!texto.isEmpty()) {
        if (const auto r = veiculoNoPatio("prisma", texto.toInt())) mostraVeiculoComTicket(*r, true);
        else limpaEncontrados();
    }
    if (Option2->isChecked()) focaModalidadeEscolhida();
}

void JanelaPrincipal::grid1_Click(int linha) {
    if (linha < 0 || linha >= grid1->rowCount()) return;
    ultima_modalidade.clear();
    const QString placa = grid1->texto(linha, 1);
    const auto r = veiculoNoPatio("placa", placa);
    if (!r) {
        limpaEncontrados();
        return;
    }
    marca(Option2, true);
    pla->setText(placa);
    mostraVeiculoComTicket(*r, false);
    if (!Frame2->isEnabled() || focaModalidadeEscolhida()) return;
    if (Option3->isEnabled()) {
        marca(Option3, true);
        val_pag->setFocus();
    } else {
        ctx_.plataforma.mensagem(
            QStringLiteral("Escolha a modalidade de estacionamento (Rotativo, Turno, etc.)"));
    }
}
