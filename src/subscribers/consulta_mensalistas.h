#pragma once
// The lookup `cons_men`: finds a subscriber by code or by the first letters of its name and
// hands what is stored of it to whoever opened the lookup (the register shows it).

#include "app/contexto.h"
#include "subscribers/ficha_mensalista.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;

class ConsultaMensalistas : public QWidget {
    Q_OBJECT
public:
    explicit ConsultaMensalistas(Contexto& ctx, QWidget* parent = nullptr);

    QLineEdit* codigo;
    QPushButton* Command3;   // OK by code
    QPushButton* Command4;   // Fechar
    QLineEdit* Text1;
    QPushButton* Command1;   // OK by name
    QPushButton* Command2;   // Fechar
    QListWidget* List1;
    QListWidget* List2;
    QListWidget* List3;   // hidden twin: each name's branch, "" for none
    QLineEdit* cod;

    void Text1_Change();
    void List1_Click();
    void Command1_Click();
    void Command3_Click();

signals:
    // The subscriber chosen and found; the lookup closes after it.
    void escolhido(const FichaMensalista& ficha);

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override;
    // Esc closes the lookup, as its "Fechar" buttons do.
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void carrega(const std::optional<ChaveMensalista>& m);

    Contexto& ctx_;
    bool listaComFoco_ = false;
};
