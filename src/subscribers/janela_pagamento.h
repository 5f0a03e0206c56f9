#pragma once
// The window `pag_men`: takes one month of a subscriber's fee at the open cash register and
// prints its receipt.

#include "app/contexto.h"
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
    void carrega_historico(qint64 codigo);
    void calcula_mensalidade();
    void aplicaDescontoAdicional();
    void imprimeComprovante(qint64 codigo, const QDate& mes);
    void executa(const std::function<void()>& acao);

    Contexto& ctx_;
    std::optional<qint64> carregado_;   // the subscriber whose data the window shows
    Dinheiro valorMes_;                 // the month's amount before discount and additional
};
