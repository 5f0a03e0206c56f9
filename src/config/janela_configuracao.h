#pragma once
// The configuration window `con` ("Configurações"): seven tabs, each editing one subject with
// buttons of its own. The window builds its controls and fills them from the database when it
// is created; the editors of each tab do their work in plain functions and the window shows
// their results. Other code drives the controls as the operator would, so they are public.

#include "app/contexto.h"

#include <QWidget>

#include <functional>

class CampoDinheiro;
class CampoMascara;
class JanelaPrincipal;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;
struct ResultadoAba;

// What the window keeps from one opening to the next during a run.
struct MemoriaConfiguracao {
    qint16 filial_carregada = 0;   // the branch number `geral.filial` holds, as last loaded or saved
};

class JanelaConfiguracao : public QWidget {
    Q_OBJECT
public:
    // Builds the controls and runs the load.
    JanelaConfiguracao(Contexto& ctx, JanelaPrincipal& a, MemoriaConfiguracao& memoria,
                       QWidget* parent = nullptr);
    ~JanelaConfiguracao() override;

    // Fills the controls from the database; runs once, when the window is created.
    void Form_Load();

    // The list fillers.
    void carrega_tipos_mensalistas();
    void carrega_convenios();
    void carrega_turnos();
    void carrega_tabela_rotativo();

    // Runs a handler's database work under the hourglass; a failure is told as what could not
    // be done (`acao`, "gravar a diária") or, for `le`, what could not be read.
    void executa(const QString& acao, const std::function<void()>& trabalho);
    void le(const QString& oQue, const std::function<void()>& trabalho);

    // Tab "Mensalistas".
    QLineEdit* cod;
    QLineEdit* tip;
    CampoDinheiro* valor;
    CampoMascara* dia;
    QListWidget* List3;
    QLabel* Label17;
    QLabel* Label18;
    QLabel* Label19;
    QLabel* Label20;
    QPushButton* Command12;   // "Inserir Mensalista"
    QPushButton* Command13;   // "Excluir Mensalista"
    QPushButton* Command15;   // "Alterar Mensalista"
    QPushButton* Command14;   // "Fechar"

    // Tab "Convênios".
    QLineEdit* con;
    QLineEdit* cod_con;
    QLabel* Label1;
    QRadioButton* Option1;    // "Isento"
    QRadioButton* Option2;    // "Valor Fixo:"
    CampoDinheiro* val_fix;
    QRadioButton* Option3;    // "Valor Variável (intervalo de tempo/valor)"
    QGroupBox* Frame1;        // "Valor Variável"
    CampoMascara* tem;
    QLabel* Label2;
    CampoDinheiro* val_con;
    QLabel* Label6;
    QPushButton* Command1;    // "Inserir"
    QPushButton* Command3;    // "Remover"
    QTableWidget* grid_con;
    QRadioButton* Option4;    // "Após tempo acima, cobrar o valor fixo de R$"
    CampoDinheiro* apo_fix;
    QRadioButton* Option5;    // "Após tempo acima, cobrar  R$"
    CampoDinheiro* apo_var;
    QLabel* Label23;
    CampoMascara* apo_tem;
    QCheckBox* Check1;        // "Das"
    CampoMascara* hor_ini;
    QLabel* Label7;
    CampoMascara* hor_fim;
    QLabel* Label8;
    CampoDinheiro* cob;
    QGroupBox* Frame7;        // "Horário permitido"
    QLabel* Label37;
    CampoMascara* hora_inicio;
    QLabel* Label38;
    CampoMascara* hora_fim;
    QGroupBox* Frame8;        // "Dias permitidos"
    QCheckBox* dom;
    QCheckBox* seg;
    QCheckBox* ter;
    QCheckBox* qua;
    QCheckBox* qui;
    QCheckBox* sex;
    QCheckBox* sab;
    QCheckBox* tod;
    QListWidget* List1;
    QLabel* Label9;
    QPushButton* Command4;    // "Inserir Convênio"
    QPushButton* Command16;   // "Excluir Convênio"
    QPushButton* Command17;   // "Alterar Convênio"
    QPushButton* Command5;    // "Fechar"

    // Tab "Turnos".
    CampoMascara* hor_ini_tur;
    QLabel* Label10;
    CampoMascara* hor_fim_tur;
    QLabel* Label3;
    CampoDinheiro* val_tur;
    QLabel* Label11;
    QTableWidget* grid_tur;
    QLabel* Label12;
    QPushButton* Command2;    // "Inserir Turno"
    QPushButton* Command6;    // "Excluir Turno"
    QPushButton* Command7;    // "Fechar"

    // Tab "Rotativo".
    CampoMascara* tem_rot;
    QLabel* Label4;
    CampoDinheiro* val_rot;
    QLabel* Label5;
    QPushButton* Command8;    // "Inserir"
    QPushButton* Command9;    // "Remover"
    QLabel* Label13;
    QTableWidget* grid_rot;
    CampoDinheiro* apo_cob;
    QLabel* Label14;
    CampoMascara* apo_cad;
    QLabel* Label15;
    QPushButton* Command10;   // "Gravar"
    QPushButton* Command11;   // "Fechar"

    // Tab "Diária".
    CampoMascara* tem_dia;
    QLabel* Label16;
    CampoDinheiro* val_dia;
    QLabel* Label21;
    QPushButton* Command18;   // "Gravar"
    QPushButton* Command19;   // "Fechar"

    // Tab "Geral".
    CampoMascara* cnp;
    QLabel* Label27;
    QCheckBox* Check2;
    QCheckBox* Check7;
    QCheckBox* Check11;
    QCheckBox* Check8;
    QCheckBox* Check14;
    QCheckBox* Check15;
    QGroupBox* Frame2;
    QLineEdit* lin1;
    QLineEdit* lin2;
    QLineEdit* lin3;
    QLineEdit* lin4;
    QLineEdit* pen;
    QLineEdit* ult;
    QLabel* Label22;
    QLabel* Label24;
    QLabel* Label25;
    QLabel* Label26;
    QLabel* Label31;
    QLabel* Label32;
    QGroupBox* Frame5;        // "Impressão Bobina"
    QRadioButton* Option8;    // "36 colunas"
    QRadioButton* Option6;    // "40 colunas"
    QRadioButton* Option7;    // "48 colunas"
    QLabel* Label42;
    CampoMascara* ava;
    QLabel* Label43;
    QGroupBox* Frame9;        // "Impressora Fiscal"
    QLabel* Label46;
    QComboBox* imp_fis;
    QLabel* Label45;
    QComboBox* ali;
    QCheckBox* Check12;
    QCheckBox* Check13;
    CampoMascara* hor_red;
    QGroupBox* Frame6;        // "Numeração Tickets"
    QLabel* Label36;
    CampoMascara* tic;
    QLabel* Label35;
    CampoMascara* pro;
    QPushButton* Command22;   // "Alterar"
    QGroupBox* Frame3;        // "Portas Paralelas"
    QLabel* Label28;
    QComboBox* impr;
    QLabel* Label29;
    QComboBox* can_ent;
    QLabel* Label30;
    QComboBox* can_sai;
    QGroupBox* Frame4;        // "Opções da Cancela"
    QCheckBox* Check3;
    CampoMascara* tem_ent;
    QLabel* Label33;
    QCheckBox* Check5;
    QCheckBox* Check4;
    CampoMascara* tem_sai;
    QLabel* Label34;
    QCheckBox* Check6;
    QCheckBox* Check9;
    QCheckBox* Check10;
    CampoMascara* bai;
    QLabel* Label44;
    QPushButton* Command20;   // "Gravar"
    QPushButton* Command21;   // "Fechar"

    // Tab "Escrit/Pista".
    QLabel* Label40;
    QComboBox* esc;
    QLabel* Label41;
    CampoMascara* fil;
    QPushButton* Command23;   // "Gravar"

    QTabWidget* SSTab1;

    // The branch number the window remembers for the branch save; kept across openings.
    qint16& filial_carregada;

    // Handlers, public so that tests and the other tabs' code can run them as the operator would.
    void Check3_Click();
    void Check4_Click();
    void Check5_Click();
    void Check6_Click();
    void Check9_Click();
    void Check10_Click();
    void esc_Click();

    // Tab "Mensalistas".
    void List3_Click();
    void Command12_Click();
    void Command15_Click();
    void Command13_Click();
    void limpa_campos_tipo_mensalista();
    // Tab "Turnos".
    void Command2_Click();
    void Command6_Click();
    void limpa_campos_turno();
    // Tab "Rotativo".
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    // Tab "Diária".
    void Command18_Click();
    // Tab "Convênios".
    void List1_Click();
    void Command1_Click();    // "Inserir" a step
    void Command3_Click();    // "Remover" a step
    void Command4_Click();    // "Inserir Convênio"
    void Command17_Click();   // "Alterar Convênio"
    void Command16_Click();   // "Excluir Convênio"
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void Check1_Click();
    void tod_Click();
    void limpa_campos_convenio();
    bool mostra_gravacao_convenio(const ResultadoAba& r);
    // Tab "Geral".
    void Command20_Click();   // "Gravar"
    void Command22_Click();   // "Alterar" the next ticket
    // Tab "Escrit/Pista".
    void Command23_Click();   // "Gravar"

    Contexto& contexto() { return ctx_; }
    JanelaPrincipal& principal() { return a_; }

private:
    void montaControles();
    QWidget* montaMensalistas();
    QWidget* montaConvenios();
    QWidget* montaTurnos();
    QWidget* montaRotativo();
    QWidget* montaDiaria();
    QWidget* montaGeral();
    QWidget* montaEscritorio();
    void ligaEventos();
    void focaCampo(const QString& nome);
    void ligaConvenios();   // the handlers of "Convênios", "Geral" and "Escrit/Pista"

    Contexto& ctx_;
    JanelaPrincipal& a_;
};

// Toolbar button 3 of the main window opens the window, not modal; pressing it while the
// window is open brings it forward without loading it again.
void liga_janela_configuracao(Contexto& ctx, JanelaPrincipal& a);
