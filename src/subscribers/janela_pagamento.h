#pragma once
// The window `pag_men`: takes one month of a subscriber's fee at the open cash register and
// prints its receipt.

#include "app/contexto.h"
#include "data/chave_mensalista.h"
#include "data/dinheiro.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

class JanelaPagamento : public QDialog {
    Q_OBJECT
public:
    explicit JanelaPagamento(Contexto& ctx, QWidget* parent = nullptr);

    QComboBox* men;
    QComboBox* cod;
    QComboBox* cod_fil_men;   // hidden twin of `men`: each name's branch, "" for none
    QPushButton* Command1;   // OK
    QLineEdit* tip;
    QLineEdit* dia;
    QLineEdit* fil;
    QLineEdit* cod_fil;
    QTableWidget* grid2;
    QLineEdit* mes;
    QLineEdit* valor;
    QLineEdit* des;
    QLineEdit* adi;
    QPushButton* Command2;   // Efetuar Pagamento
    QPushButton* Command3;   // Fechar

    Dinheiro valor_mensalista;

    void men_Click();
    void Command1_Click();
    void grid2_Click(int linha);   // data row from 1
    void mes_LostFocus();
    void des_LostFocus();
    void adi_LostFocus();
    void Command2_Click();

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
    // The subscriber the names list points at.
    ChaveMensalista escolhido() const;
    void carrega_historico(const ChaveMensalista& m);
    void calcula_mensalidade();
    void aplicaDescontoAdicional();
    void imprimeComprovante(const ChaveMensalista& m, const QDate& mes);
    // Runs database work under the hourglass; a failure is told as what could not be done
    // (`acao`) or, for `le`, what could not be read.
    bool executa(const QString& acao, const std::function<void()>& trabalho);
    bool le(const QString& oQue, const std::function<void()>& trabalho);

    Contexto& ctx_;
    std::optional<ChaveMensalista> carregado_;   // the subscriber whose data the window shows
    Dinheiro valorMes_;                 // the month's amount before discount and additional
};
