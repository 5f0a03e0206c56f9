#pragma once
// The subscriber register `men`: a subscriber's data, plan, allowed days and hours, vacation and
// the vehicles it may park. The lookup and the code change write into its controls, so they are
// public, as are the handlers that tests drive as the operator would.

#include "app/contexto.h"
#include "subscribers/ficha_mensalista.h"

#include <QPointer>
#include <QWidget>

#include <array>

class TelaPrincipal;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class JanelaMensalistas : public QWidget {
    Q_OBJECT
public:
    // `principal` may be null (tests without the main window).
    JanelaMensalistas(Contexto& ctx, TelaPrincipal* principal, QWidget* parent = nullptr);

    QLineEdit* cod;
    QLabel* excluido;   // "MENSALISTA EXCLUÍDO", shown over a deleted subscriber
    QLineEdit* dat;
    QLineEdit* nom;
    QLineEdit* ende;
    QLineEdit* bai;
    QLineEdit* cep;
    QLineEdit* cid;
    QLineEdit* ani;
    QLineEdit* tel_res;
    QLineEdit* tel_com;
    QLineEdit* tel_cel;
    QLineEdit* fax;
    QLineEdit* rg;
    QComboBox* Combo1;
    QLineEdit* cpf;
    QComboBox* tip;
    QComboBox* cod_tip;
    QComboBox* dia_tip;
    QComboBox* val_tip;
    QLineEdit* dia;
    QLineEdit* tol;
    QLineEdit* valor;
    QComboBox* fil;
    QComboBox* cod_fil;
    QLineEdit* vei;
    QLineEdit* ano;
    QLineEdit* pla;
    QPushButton* Command6;   // Inserir
    QPushButton* Command7;   // Remover
    QTableWidget* grid1;
    QLineEdit* num;
    std::array<QCheckBox*, 8> checks;   // Check1 .. Check8
    QLineEdit* hor_ini;
    QLineEdit* hor_fim;
    QLineEdit* dat_ini;
    QLineEdit* dat_fim;
    QTableWidget* grid2;
    QPushButton* Command1;   // Novo
    QPushButton* Command2;   // Gravar
    QPushButton* Command3;   // Cancelar
    QPushButton* Command10;  // Fechar
    QPushButton* Command4;   // Excluir
    QPushButton* Command5;   // Consultar
    QPushButton* Command8;   // Gerar/Receber Arquivo
    QPushButton* Command9;   // Trocar código

    // The list's rows as the old grid counted them: the header row plus the data rows.
    int linhasGrid1() const;
    // Makes `linha` (1 the first data row) the current row and highlights it.
    void defineLinhaAtualGrid1(int linha);
    QString celula(QTableWidget* grid, int linha, int coluna) const;   // linha from 1
    void defineCelula(QTableWidget* grid, int linha, int coluna, const QString& texto);

    // The subscriber loaded (its code and its branch as stored), or nothing for a new entry.
    std::optional<ChaveMensalista> carregado() const;

    void limpa_campos();
    // Shows a stored subscriber, as the lookup hands it over.
    void mostra_mensalista(const FichaMensalista& f);
    void Command1_Click();
    void Command2_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command9_Click();
    void tip_Click();
    void Combo1_Click();
    void Check8_Click();
    void tol_LostFocus();

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
    void montaControles();
    void ligaEventos();
    void Form_Load();
    void insere_veiculo_grid();
    // Runs a handler's database work under the hourglass; a failure is told as what could not
    // be done (`acao`) or, for `le`, what could not be read.
    void executa(const QString& acao, const std::function<void()>& trabalho);
    void le(const QString& oQue, const std::function<void()>& trabalho);
    void foca(int campo);

    Contexto& ctx_;
    TelaPrincipal* principal_;
    QPointer<QWidget> consulta_;
    int linhaAtual_ = 1;
    // The loaded subscriber's branch as stored: `fil` may be changed before "Gravar".
    QVariant filialCarregada_;
};
