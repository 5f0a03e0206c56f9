#pragma once
// The main window `a`: the lane panel (entry and exit), the payment panel, the yard list with
// its counters, the cash-register buttons, the toolbar and the status bar. Its controls are its
// own: the other windows speak to it through `TelaPrincipal`, the lanes through the
// registration hooks, and the assembly sets the windows its buttons open.

#include "app/contexto.h"
#include "yard/entrada.h"
#include "yard/modelo_patio.h"   // grid1
#include "yard/proximo_ticket.h"
#include "yard/resultado_pista.h"
#include "yard/saida.h"
#include "yard/tarifas/pedido_tarifa.h"
#include "yard/tela_principal.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <optional>

enum class CampoBusca;
struct VeiculoEncontrado;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTimer;
class QToolBar;

class JanelaPrincipal : public QMainWindow, public TelaPrincipal {
    Q_OBJECT
public:
    explicit JanelaPrincipal(Contexto& ctx, QWidget* parent = nullptr);
    ~JanelaPrincipal() override;

    // What the other windows ask of it.
    void mostraImpressoras() override;
    void aplicaAcesso(const AcessoTela& acesso) override;
    void abre() override;
    void mostraCaixa() override;
    void trocaTurnos(const QStringList& turnos) override;
    void trocaConvenios(const ListaConvenios& convenios) override;
    void ofereceModalidade(Modalidade modalidade, bool oferecida) override;
    void aplicaGeral(const EfeitosGeral& efeitos) override;
    void atualiza_lista_patio() override;
    void filaCancelaVazia(Lado lado) override;

    // The lanes' in-place updates of the yard list and its counters: the yard row `id` was
    // just written by an entry, or deleted by an exit.
    void entrouNoPatio(qint64 id);
    void saiuDoPatio(qint64 id);
    // The database was replaced by a restored backup: the entry's "Ticket nº" shows the next
    // ticket of the database now open.
    void bancoTrocado();

    // Windows the toolbar and the buttons open; set by whoever owns them, so the main window
    // does not depend on every other window.
    std::array<std::function<void()>, 7> abreJanelaBarra;   // toolbar buttons 1 to 7
    std::function<void()> abreAberturaCaixa;                // Command1
    std::function<void()> abreFechamentoCaixa;              // Command2
    std::function<void()> abreCancelamento;                 // Command4 and F5
    std::function<void()> abrePagamentoMensalista;          // Command8
    std::function<void()> abreValorCaixa;                   // Command9
    std::function<void()> abreListaEntrada;                 // Command10
    std::function<void()> abreListaSaida;                   // Command11
    // The lanes: the panel's request, read once when a "Registrar" button is pressed, and what
    // the registration did, which the window then shows. `imprime` is false for "Registrar
    // Entrada" / "Registrar  Saída".
    std::function<ResultadoPista(const CamposEntrada& campos, bool imprime)> registraEntrada;
    std::function<ResultadoPista(const CamposSaida& campos, bool imprime)> registraSaida;

    // Handlers, public so that tests can drive them as the operator would.
    void Timer1_Timer();
    void Timer2_Timer();
    void passoDoRelogio();   // Timer2's step as the timer runs it, with its failures shown
    void trata_tecla(int tecla);
    void modoEntrada();

    // Payment panel and exit lookup.
    void calcula_total();
    void tic_LostFocus();
    void pla_LostFocus();
    void pri_LostFocus();
    void grid1_Click(int linha);
    void val_pag_LostFocus();
    // True when `tot` holds the fee computed for the vehicle, times and kind shown now.
    bool totalValeParaOPainel() const;
    // The kind of the last fee computed: emptied when the amount field must compute again.
    const QString& ultimaModalidade() const { return ultima_modalidade; }

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    // Closed from its title bar, the program ends as by "Sair": asking first about printouts
    // still waiting for the ticket printer.
    void closeEvent(QCloseEvent* evento) override;

private:
    void modoSaida();
    void val_pag_GotFocus();
    // The amount field takes the focus and the fee is computed for the kind, shift or partner
    // chosen, whether or not the focus arrives.
    void calculaNoValorPago();
    QString modalidadeEscolhida() const;   // "R", "T", "C", "M" or "D"
    // The fee inputs as the panel shows them now.
    PedidoTarifa pedidoDoPainel() const;

    void montaControles();
    // The panel's request to the lanes, and what their answer changes in the window: a refusal
    // told with the focus where it says; a registered vehicle in the yard list and its gate's
    // "Ativar Cancela", and the panel ready for the next one.
    CamposEntrada camposEntrada() const;
    CamposSaida camposSaida() const;
    void registra(bool entrada, bool imprime);
    void mostraRegistro(const ResultadoPista& r, bool entrada);
    // The fee shown in `tot`: computed, with what for, or a text that is none ("ERRO").
    void mostraTotal(const TotalCalculado& calculo);
    void mostraTotal(const QString& texto);
    void mostraProximoTicket();
    void ligaEventos();
    void ligaPainelPagamento();
    // `novoVeiculo`: run for a vehicle just shown with the kind already chosen, which computes
    // a shift's or a partner's fee at once instead of leaving it to the amount field.
    void modalidadeClicada(QRadioButton* opcao, bool novoVeiculo = false);
    void enterEm(QObject* alvo);
    bool focaModalidadeEscolhida();   // false when no kind is chosen
    QRadioButton* modalidadeMarcada() const;   // nullptr when none
    std::optional<VeiculoEncontrado> busca(CampoBusca campo, const QString& texto);
    void mostraVeiculo(const VeiculoEncontrado& v, bool preencheTicket, bool preenchePlaca);
    void recalculaParaOVeiculo(bool mensalista, bool mesmoVeiculo);
    bool limitesDoDia();
    void limpaEncontrados();
    // Runs a handler; a database failure is told as "Não foi possível <acao>...". The
    // hourglass shows while it runs, so a wait on a busy database is seen.
    void executa(const QString& acao, const std::function<void()>& f);
    void mostraContadores();
    // The yard list shown or hidden as the setting and the register ask, filled when shown.
    void mostraListaPatio();

    // Lane panel.
    QGroupBox* Frame1;
    QLineEdit* tic;
    QLineEdit* pla;
    QLineEdit* pri;
    QLabel* Label12;
    QLineEdit* vei;
    QLabel* LabelVeiculo;
    QLineEdit* dat_ent;
    QLineEdit* hor_ent;
    QLineEdit* dat_sai;
    QLineEdit* hor_sai;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QLabel* Label17;
    QPushButton* Command5;
    QPushButton* Command6;

    // Payment panel.
    QGroupBox* Frame2;
    QRadioButton* Option3;
    QRadioButton* Option4;
    QRadioButton* Option5;
    QRadioButton* Option6;
    QRadioButton* Option7;
    QComboBox* tur;
    QComboBox* conv;
    QComboBox* cod_con;
    QLineEdit* tot;
    QLineEdit* val_pag;
    QLineEdit* tro;
    QCheckBox* Check1;
    QPushButton* Command3;
    QPushButton* Command7;

    // Yard list.
    QGroupBox* Frame3;
    GradePatio* grid1;
    QLabel* Label16;
    QLabel* tot_men;
    QLabel* tot_avu;
    QLabel* total;

    // Outside the frames.
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command4;
    QPushButton* Command8;
    QPushButton* Command9;
    QPushButton* Command10;
    QPushButton* Command11;
    QLabel* mensagem;
    QToolBar* Toolbar1;
    std::array<QAction*, 8> botoes;   // toolbar buttons 1 to 8
    QStatusBar* StatusBar1;
    std::array<QLabel*, 3> paineis;   // status-bar panels 1 to 3
    QTimer* Timer1;
    QTimer* Timer2;

    // Memory of the last fee computation: the vehicle's entry and the kind it was asked for, so
    // that the amount field computes again only for another vehicle or kind.
    void lembraCalculo(const QString& modalidade);
    void esqueceCalculo();
    // What a failure while the fee is computed names, wherever the computing starts.
    static inline const QString kCalcularTotal = QStringLiteral("calcular o total");
    QString ultima_modalidade;
    QString ultima_data_ent;
    QString ultima_hora_ent;

    Contexto& ctx_;
    bool modalidadeJaEscolhida_ = false;   // the kind pressed was already the chosen one
    bool erroRelogioAvisado_ = false;
    bool trocandoModo_ = false;   // entry or exit mode is being set up
    bool saidaPeloMouse_ = false;   // the field being left lost the focus to a click
    int focosValorPago_ = 0;   // times the amount field got the focus and computed the fee
    std::optional<TotalCalculado> calculo_;
    AvisoFimTickets avisoFimTickets_;
    // The login may open a register: the main screen's right, or "admin" while no user exists.
    bool podeAbrirCaixa_ = true;
    // The yard list's setting, from the login or the last save of the general settings, and
    // whether the register the login found open is another user's, which hides the list until
    // a register is opened or closed here.
    bool mostrarLista_ = false;
    bool caixaDeOutro_ = false;
};
