#pragma once
// What the other windows, the login and the lanes' dialogs ask of the main window `a`: a few
// operations named by what they mean, and the plain values they hand it. The window's controls
// stay its own; whoever needs it holds this face of it, not its header.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

#include <array>

enum class Lado;

// The payment kinds of the exit panel, in the panel's order.
enum class Modalidade { Rotativo, Turno, Convenio, Mensalista, Diarista };

// Every partner agreement in name order: the names and, at the same index, their codes as text.
struct ListaConvenios {
    QStringList nomes;
    QStringList codigos;
};

// What a login opens of the main window, read from the user's row, the open registers and the
// general settings.
struct AcessoTela {
    QString usuario;   // the status bar's user, date and clock
    QDate data;
    QTime hora;
    std::array<bool, 7> janelas{};   // the toolbar's windows, "Usuários" to "Backup"
    // "admin", while no user exists: only the users window, and a register may be opened.
    bool semUsuarios = false;
    // The right to the main screen: the lane, the payment panel and the register.
    bool pista = false;
    // The open register found is another user's: told in the notice, the yard list hidden.
    bool caixaDeOutro = false;
    QStringList turnos;   // "HH:MM - HH:MM", in start order
    ListaConvenios convenios;
    bool prisma = false, veiculo = false, mostrarLista = false;
    bool filaEntrada = false, filaSaida = false;   // vehicles wait at a gate raised by hand
    // The kinds whose tables hold what they charge by, in the order of `Modalidade`.
    std::array<bool, 5> modalidades{};
};

// What the main window shows after the general settings are saved.
struct EfeitosGeral {
    bool mostrar_lista = false;        // the yard-list frame, refreshed when shown
    bool habilitar_prisma = false;     // the tag field (emptied when hidden)
    bool habilitar_veiculo = false;    // the vehicle field
    bool imprime_entrada = false;      // entry "Registrar e Imprimir": a ticket printer is set
    bool imprime_saida = false;        // exit "Registrar e Imprimir": a ticket or fiscal printer
    bool lista_entrada = false;        // entry "Ativar Cancela": vehicles wait for the gate
    bool lista_saida = false;          // exit "Ativar Cancela"
};

class TelaPrincipal {
public:
    // The start-up has read the settings: each lane's "Registrar e Imprimir" follows the printers.
    virtual void mostraImpressoras() = 0;
    // A login succeeded: the user's rights, his register, the lists and the settings it read.
    virtual void aplicaAcesso(const AcessoTela& acesso) = 0;
    // Shown after the login, with the keyboard, where the cashier types the first car.
    virtual void abre() = 0;

    // The register as the shared state has it (`numero_caixa`): open, the lane and the
    // register's buttons work and the lane takes the keyboard; closed, only "Abert. de Caixa".
    virtual void mostraCaixa() = 0;

    // The lists of the payment panel, refilled with nothing chosen. With no shift left, "Turno"
    // goes off with its list.
    virtual void trocaTurnos(const QStringList& turnos) = 0;
    virtual void trocaConvenios(const ListaConvenios& convenios) = 0;
    // A kind is offered once its table holds something; withdrawn, it is unselected too.
    virtual void ofereceModalidade(Modalidade modalidade, bool oferecida) = 0;
    virtual void aplicaGeral(const EfeitosGeral& efeitos) = 0;

    // The yard list and its counters, read again from `veiculos_patio`.
    virtual void atualiza_lista_patio() = 0;
    // The last vehicle queued at the gate of `lado` has gone through: its "Ativar Cancela" goes off.
    virtual void filaCancelaVazia(Lado lado) = 0;

protected:
    ~TelaPrincipal() = default;
};
