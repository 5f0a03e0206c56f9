// The payment panel: the payment kind, the shift or partner, the total, the amount paid and
// the change. The fees themselves are plain functions; this only reads the panel and shows.

#include "yard/janela_principal.h"
#include "yard/tarifas/limites_dia.h"
#include "yard/tarifas/tarifa.h"
#include "widgets/campo_dinheiro.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

QString JanelaPrincipal::modalidadeEscolhida() const {
    if (Option3->isChecked()) return QStringLiteral("R");
    if (Option4->isChecked()) return QStringLiteral("T");
    if (Option5->isChecked()) return QStringLiteral("C");
    if (Option6->isChecked()) return QStringLiteral("M");
    return QStringLiteral("D");
}

void JanelaPrincipal::ligaPainelPagamento() {
    for (QRadioButton* o : {Option3, Option4, Option5, Option6, Option7}) {
        connect(o, &QRadioButton::toggled, this, [this, o](bool on) {
            if (on) executa(kCalcularTotal, [this, o] { modalidadeClicada(o); });
        });
        // A click on the kind already chosen runs it again, for the vehicle now in the panel.
        connect(o, &QRadioButton::pressed, this, [this, o] { modalidadeJaEscolhida_ = o->isChecked(); });
        connect(o, &QRadioButton::clicked, this, [this, o](bool on) {
            if (on && modalidadeJaEscolhida_) executa(kCalcularTotal, [this, o] { modalidadeClicada(o); });
            modalidadeJaEscolhida_ = false;
        });
    }
    connect(tur, &QComboBox::activated, this, [this](int) {
        if (!tur->currentText().trimmed().isEmpty()) calculaNoValorPago();
    });
    // The hidden code list always follows the partner shown.
    connect(conv, &QComboBox::currentIndexChanged, this, [this](int i) {
        cod_con->setCurrentIndex(i < cod_con->count() ? i : -1);
    });
    connect(conv, &QComboBox::activated, this, [this](int) {
        if (!conv->currentText().trimmed().isEmpty()) calculaNoValorPago();
    });
}

void JanelaPrincipal::modalidadeClicada(QRadioButton* opcao, bool novoVeiculo) {
    tur->setEnabled(opcao == Option4);
    conv->setEnabled(opcao == Option5);
    // Only the exit charges: in entry mode a subscriber's plate selects "Mensalista" and
    // nothing more.
    if (!Option2->isChecked()) return;
    if (opcao == Option3) {
        if (!limitesDoDia()) return;
        ultima_modalidade = QStringLiteral("R");
        calcula_total();
        val_pag->setText(tot->text());
    } else if (opcao == Option4 || opcao == Option5) {
        QComboBox* lista = opcao == Option4 ? tur : conv;
        if (lista->currentText().trimmed().isEmpty()) return;
        if (!novoVeiculo) {
            calculaNoValorPago();
            return;
        }
        // Another vehicle shown with the shift or partner already chosen: its fee now.
        if (opcao == Option4 && !limitesDoDia()) return;
        lembraCalculo(modalidadeEscolhida());
        calcula_total();
        val_pag->setText(tot->text());
    } else {
        lembraCalculo(opcao == Option6 ? QStringLiteral("M") : QStringLiteral("D"));
        calcula_total();
        val_pag->setText(tot->text());
    }
}

bool JanelaPrincipal::limitesDoDia() {
    const QString recusa = limites_do_dia(dat_ent->text(), hor_ent->text(), dat_sai->text(),
                                          hor_sai->text(), ctx_.estado.estacionamento24h);
    if (recusa.isEmpty()) return true;
    ctx_.plataforma.mensagem(recusa, Icone::Exclamacao);
    mostraTotal(QStringLiteral("ERRO"));
    return false;
}

PedidoTarifa JanelaPrincipal::pedidoDoPainel() const {
    PedidoTarifa p;
    p.modalidade = modalidadeEscolhida();
    p.tic = tic->displayText();
    p.pla = pla->displayText();
    p.dat_ent = dat_ent->text();
    p.hor_ent = hor_ent->text();
    p.dat_sai = dat_sai->text();
    p.hor_sai = hor_sai->text();
    p.tur = tur->currentText();
    p.conv = conv->currentText();
    p.cod_con = cod_con->currentText();
    p.data_atual = ctx_.estado.data_atual;
    p.hora_atual = ctx_.estado.hora_atual;
    p.estacionamento24h = ctx_.estado.estacionamento24h;
    return p;
}

bool JanelaPrincipal::totalValeParaOPainel() const {
    return calculo_ && mesmoCalculo(calculo_->pedido, pedidoDoPainel());
}

void JanelaPrincipal::mostraTotal(const TotalCalculado& calculo) {
    calculo_ = calculo;
    tot->setText(calculo.total.formata());
}

void JanelaPrincipal::mostraTotal(const QString& texto) {
    calculo_.reset();
    tot->setText(texto);
}

void JanelaPrincipal::lembraCalculo(const QString& modalidade) {
    ultima_data_ent = dat_ent->text();
    ultima_hora_ent = hor_ent->text();
    ultima_modalidade = modalidade;
}

void JanelaPrincipal::esqueceCalculo() {
    ultima_modalidade.clear();
    ultima_data_ent.clear();
    ultima_hora_ent.clear();
}

void JanelaPrincipal::calcula_total() {
    // With no vehicle loaded there is nothing to compute, and the panel keeps its texts.
    if (hor_ent->text().isEmpty()) return;
    const PedidoTarifa p = pedidoDoPainel();
    mostraTotal(QStringLiteral("Calculando..."));
    ResultadoTarifa r;
    try {
        r = ::calcula_total(ctx_.estado.db, p);
    } catch (const ErroBanco&) {
        mostraTotal(QStringLiteral("ERRO"));  // never leave "Calculando..." behind
        throw;
    }
    if (!r.calculado) return;
    for (const auto& [nome, texto] : r.campos)
        if (auto* campo = findChild<QLineEdit*>(nome)) campo->setText(texto);
    if (r.total) mostraTotal(TotalCalculado{*r.total, p, r.termos});
    else mostraTotal(QStringLiteral("ERRO"));
    tro->setText(QStringLiteral("0,00"));
    if (r.limpaMemoria) esqueceCalculo();
    if (!r.mensagem.isEmpty()) ctx_.plataforma.mensagem(r.mensagem, r.icone);
    if (!r.foco.isEmpty())
        if (auto* w = findChild<QWidget*>(r.foco)) w->setFocus();
}

void JanelaPrincipal::val_pag_GotFocus() {
    if (hor_ent->text().isEmpty()) return;
    if (Option3->isChecked() || Option4->isChecked()) {
        if (!limitesDoDia()) {
            (Option3->isChecked() ? Option3 : Option4)->setFocus();
            return;
        }
    }
    const QString modalidade = modalidadeEscolhida();
    if (hor_ent->text() != ultima_hora_ent || dat_ent->text() != ultima_data_ent ||
        modalidade != ultima_modalidade || Option4->isChecked() || Option5->isChecked() ||
        (!totalValeParaOPainel() && tot->text() != QLatin1String("ERRO"))) {
        lembraCalculo(modalidade);
        calcula_total();
        val_pag->setText(tot->text());
    }
    if (calculo_ && calculo_->total == Dinheiro()) val_pag->setText(QStringLiteral("0,00"));
}

void JanelaPrincipal::calculaNoValorPago() {
    const int antes = focosValorPago_;
    val_pag->setFocus();
    // The fee is computed as the amount field gets the focus. Where no focus comes (the field
    // had it already, or no window holds the keyboard, as a display without a window manager
    // leaves it when another window closes) it is computed here all the same: a shift or a
    // partner picked is always charged anew, under the tariffs in force.
    if (focosValorPago_ == antes)
        executa(kCalcularTotal, [this] { val_pag_GotFocus(); });
}

void JanelaPrincipal::val_pag_LostFocus() {
    const auto pago = formataCampoDinheiro(val_pag);
    if (!pago) {
        tro->clear();
        return;
    }
    if (calculo_) {
        const Dinheiro total = calculo_->total;
        tro->setText((*pago >= total ? *pago - total : Dinheiro()).formata());
    }
}
