// The lane panel's lookups at the exit: by ticket, plate or tag when the field is left, or by a
// click in the yard list. The vehicle is found by `busca_saida`; here it is shown, and a fee
// shown for another vehicle is replaced by this one's.

#include "widgets/controles.h"
#include "yard/busca_saida.h"
#include "yard/janela_principal.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

namespace {

// A lane field gets its text only when it changes: each new text is laid out and announced again,
// and the exit's date or an empty field is mostly what the field already shows.
void poe(QLineEdit* campo, const QString& texto) {
    if (campo->text() != texto) campo->setText(texto);
}

}  // namespace

void JanelaPrincipal::limpaEncontrados() {
    for (QLineEdit* c : {dat_ent, hor_ent, dat_sai, hor_sai, tot, tro, vei}) poe(c, {});
    calculo_.reset();
}

bool JanelaPrincipal::focaModalidadeEscolhida() {
    if (QRadioButton* o = modalidadeMarcada()) {
        o->setFocus();
        return true;
    }
    return false;
}

QRadioButton* JanelaPrincipal::modalidadeMarcada() const {
    for (QRadioButton* o : {Option3, Option4, Option5, Option6, Option7})
        if (o->isChecked()) return o;
    return nullptr;
}

std::optional<VeiculoEncontrado> JanelaPrincipal::busca(CampoBusca campo, const QString& texto) {
    return busca_saida(ctx_.estado.db, campo, texto, ctx_.estado.data_atual, ctx_.estado.hora_atual);
}

void JanelaPrincipal::mostraVeiculo(const VeiculoEncontrado& v, bool preencheTicket,
                                    bool preenchePlaca) {
    const bool mesmoVeiculo = !hor_ent->text().isEmpty() && dat_ent->text() == v.dat_ent &&
                              hor_ent->text() == v.hor_ent && pla->displayText() == v.pla;
    if (preencheTicket) tic->setText(v.tic);
    if (preenchePlaca) pla->setText(v.pla);
    poe(dat_ent, v.dat_ent);
    poe(hor_ent, v.hor_ent);
    poe(dat_sai, v.dat_sai);
    poe(hor_sai, v.hor_sai);
    poe(vei, v.vei);
    recalculaParaOVeiculo(preencheTicket && v.mensalista, mesmoVeiculo);
}

// The panel now shows a vehicle: a fee computed for another one (or for other times) must not
// stay in `tot` and `val_pag`, where the exit would store it. The kind already chosen is
// computed again for this vehicle; a subscriber's vehicle is charged as "Mensalista". The same
// vehicle found again keeps a refusal already told, until its kind is chosen again.
void JanelaPrincipal::recalculaParaOVeiculo(bool mensalista, bool mesmoVeiculo) {
    if (totalValeParaOPainel()) return;
    const bool selecionaMensalista = mensalista && !Option6->isChecked();
    if (mesmoVeiculo && !selecionaMensalista && !calculo_) return;
    for (QLineEdit* c : {tot, val_pag, tro}) poe(c, {});
    calculo_.reset();
    esqueceCalculo();
    if (selecionaMensalista) {
        marcaOpcao(Option6, true);   // its click computes the fee
        return;
    }
    if (QRadioButton* o = modalidadeMarcada()) modalidadeClicada(o, true);
}

void JanelaPrincipal::tic_LostFocus() {
    if (trocandoModo_) return;   // the mode's set-up has just emptied the field
    // "0000000000" is what the lookups write for a subscriber's vehicle, which has no ticket:
    // looking it up would find nothing and blank the vehicle just shown, as happens when a
    // click in the yard list puts the focus on `tic` on its way to the payment kind.
    const QString texto = tic->displayText().trimmed();
    if (texto.isEmpty() || tic->displayText() == kTicketMensalista) return;
    const auto v = busca(CampoBusca::Ticket, texto);
    if (!v) {
        if (!Option1->isChecked()) tic->setText(kTicketVazio);
        limpaEncontrados();
        return;
    }
    mostraVeiculo(*v, false, true);
    if (!saidaPeloMouse_) focaModalidadeEscolhida();
}

void JanelaPrincipal::pla_LostFocus() {
    if (trocandoModo_) return;
    if (const auto v = busca(CampoBusca::Placa, pla->displayText())) mostraVeiculo(*v, true, false);
    else limpaEncontrados();
    if (!aceitaFoco(pri) && !aceitaFoco(vei) && Option2->isChecked() && !saidaPeloMouse_)
        focaModalidadeEscolhida();
}

void JanelaPrincipal::pri_LostFocus() {
    if (trocandoModo_) return;
    const QString texto = pri->displayText().trimmed();
    if (!texto.isEmpty()) {
        if (const auto v = busca(CampoBusca::Prisma, texto)) mostraVeiculo(*v, true, true);
        else limpaEncontrados();
    }
    if (Option2->isChecked() && !saidaPeloMouse_) focaModalidadeEscolhida();
}

void JanelaPrincipal::grid1_Click(int linha) {
    if (linha < 0 || linha >= grid1->rowCount()) return;
    ultima_modalidade.clear();
    const QString placa = grid1->texto(linha, 1);
    const auto v = busca(CampoBusca::Placa, placa);
    if (!v) {
        limpaEncontrados();
        return;
    }
    marcaOpcao(Option2, true);
    pla->setText(placa);
    mostraVeiculo(*v, true, false);
    if (!Frame2->isEnabled() || focaModalidadeEscolhida()) return;
    if (Option3->isEnabled()) {
        marcaOpcao(Option3, true);
        val_pag->setFocus();
    } else {
        ctx_.plataforma.mensagem(
            QStringLiteral("Escolha a modalidade de estacionamento (Rotativo, Turno, etc.)"));
    }
}
