#pragma once
// What every tab of the configuration window shares: the program context, the main window it
// refreshes (through its operations), the database-work wrappers and the focus of a refused field. Each tab builds its
// own controls, wires its own handlers and reports to the window; its controls and handlers are
// public so that tests drive them as the operator would.

#include "app/contexto.h"

#include <QWidget>

#include <functional>

class TelaPrincipal;
class QPushButton;
struct CargaConfiguracao;

class AbaConfiguracao : public QWidget {
    Q_OBJECT
public:
    AbaConfiguracao(Contexto& ctx, TelaPrincipal& a, QWidget* pai = nullptr);

    // Fills the tab when the window opens, from what the window read for every tab.
    virtual void carrega(const CargaConfiguracao& c) = 0;

signals:
    // "Fechar" pressed on this tab: the window closes.
    void fecha();

protected:
    // A handler's database work under the hourglass; a failure is told as what could not be
    // done (`acao`, "gravar a diária") or, for `le`, what could not be read.
    void executa(const QString& acao, const std::function<void()>& trabalho);
    void le(const QString& oQue, const std::function<void()>& trabalho);
    // The focus on this tab's control named `nome`; nothing for an empty name.
    void focaCampo(const QString& nome);
    // The tab's "Fechar" button.
    QPushButton* botaoFechar(const char* nome);

    Contexto& ctx_;
    TelaPrincipal& a_;
};
