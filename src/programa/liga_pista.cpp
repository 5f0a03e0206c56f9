#include "programa/liga_pista.h"

#include "cash/abe_cai.h"
#include "programa/liga_caixa.h"
#include "programa/janela_unica.h"
#include "programa/liga_mensalistas.h"
#include "yard/cancelas.h"
#include "yard/entrada.h"
#include "yard/imprime_pista.h"
#include "yard/janela_lista_patio.h"
#include "yard/janela_principal.h"
#include "yard/lista_cancela.h"
#include "yard/saida.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

QWidget* campo(JanelaPrincipal& j, CampoPista c) {
    switch (c) {
    case CampoPista::tic: return j.tic;
    case CampoPista::pla: return j.pla;
    case CampoPista::pri: return j.pri;
    case CampoPista::vei: return j.vei;
    case CampoPista::tur: return j.tur;
    case CampoPista::val_pag: return j.val_pag;
    case CampoPista::Nenhum: break;
    }
    return nullptr;
}

// Shows a refusal's message (none after a No) and moves the focus where it says.
void mostraRecusa(Contexto& ctx, JanelaPrincipal& j, const ResultadoPista& r) {
    if (!r.mensagem.isEmpty()) ctx.plataforma.mensagem(r.mensagem, r.icone);
    if (QWidget* w = campo(j, r.foco)) w->setFocus();
}

// The vehicle is registered: a list that cannot be refreshed must not read as a failed
// registration.
void atualizaListaAposRegistro(Contexto& ctx, JanelaPrincipal& j,
                               const std::function<void()>& atualiza) {
    if (j.Frame3->isHidden()) return;
    try {
        atualiza();
    } catch (const ErroBanco& e) {
        ctx.plataforma.mensagem(
            QStringLiteral("O veículo foi registrado, mas não foi possível atualizar a lista de "
                           "pátio.\n%1").arg(e.mensagem()),
            Icone::Exclamacao);
    }
}

bool registraEntradaNaJanela(Contexto& ctx, JanelaPrincipal& j, ControleCancelas& cancelas) {
    const ResultadoPista r =
        registra_entrada(ctx, cancelas, {j.pla->displayText(), j.pri->displayText(), j.vei->text()});
    if (!r.registrado) {
        mostraRecusa(ctx, j, r);
        return false;
    }
    j.tic->setText(r.tic);
    j.hor_sai->clear();
    j.dat_sai->clear();
    j.dat_ent->setText(r.dat_ent);
    j.hor_ent->setText(r.hor_ent);
    if (r.enfileirado) j.Command10->setEnabled(true);
    atualizaListaAposRegistro(ctx, j, [&] { j.entrouNoPatio(r.linhaPatio); });
    return true;
}

bool registraSaidaNaJanela(Contexto& ctx, JanelaPrincipal& j, ControleCancelas& cancelas) {
    CamposSaida c;
    c.tic = j.tic->displayText();
    c.pla = j.pla->displayText();
    c.dat_ent = j.dat_ent->text();
    c.hor_ent = j.hor_ent->text();
    c.dat_sai = j.dat_sai->text();
    c.hor_sai = j.hor_sai->text();
    c.tot = j.tot->text();
    c.val_pag = j.val_pag->text();
    c.modalidade = j.modalidadeEscolhida();
    c.tur = j.tur->currentText();
    c.cod_con = j.cod_con->currentText();
    c.calculo = j.totalCalculado();
    const ResultadoPista r = registra_saida(ctx, cancelas, c);
    if (!r.registrado) {
        mostraRecusa(ctx, j, r);
        return false;
    }
    if (r.enfileirado) j.Command11->setEnabled(true);
    atualizaListaAposRegistro(ctx, j, [&] { j.saiuDoPatio(r.linhaPatio); });
    return true;
}

}  // namespace

void ligaPista(Contexto& ctx, JanelaPrincipal& janela) {
    auto cancelas = std::make_shared<ControleCancelas>(ctx, janela.timer_cancela_entrada,
                                                       janela.timer_cancela_saida);
    JanelaPrincipal* j = &janela;
    Contexto* c = &ctx;

    // "Registrar e Imprimir" prints once the vehicle is registered, before the window prepares
    // the next one; after a fiscal coupon the exit panel keeps the vehicle just registered.
    janela.registraEntrada = [c, j, cancelas](bool imprime) {
        if (!registraEntradaNaJanela(*c, *j, *cancelas)) return false;
        if (imprime) imprime_entrada(*c, dados_da_pista(*j));
        return true;
    };
    janela.registraSaida = [c, j, cancelas](bool imprime) {
        const DadosComprovante d = dados_da_pista(*j);
        if (!registraSaidaNaJanela(*c, *j, *cancelas)) return false;
        return !imprime || imprime_saida(*c, *j, d);
    };

    QObject::connect(janela.timer_cancela_entrada, &QTimer::timeout, &janela,
                     [cancelas] { cancelas->baixa(Lado::Entrada); });
    QObject::connect(janela.timer_cancela_saida, &QTimer::timeout, &janela,
                     [cancelas] { cancelas->baixa(Lado::Saida); });

    janela.abreAberturaCaixa = [c, j] {
        AberturaCaixa dialogo(*c, *j, j);
        dialogo.exec();
    };
    janela.abreListaEntrada = [c, j, cancelas] {
        ListaCancela dialogo(*c, *j, *cancelas, Lado::Entrada, j);
        dialogo.exec();
    };
    janela.abreListaSaida = [c, j, cancelas] {
        ListaCancela dialogo(*c, *j, *cancelas, Lado::Saida, j);
        dialogo.exec();
    };
    ligaCaixa(ctx, janela);

    // "Lista de Pátio" opens beside the main window; pressed again while it is open, it comes
    // forward as it is. "Fechar" destroys it, so the next opening lists the yard afresh.
    janela.abreJanelaBarra[3] = abreUmaVez<JanelaListaPatio>([c, j] { return new JanelaListaPatio(*c, j); });
    ligaMensalistas(ctx, janela);
}
