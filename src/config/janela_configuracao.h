#pragma once
// The configuration window `con` ("Configurações"): seven tabs, each a class of its own that
// builds its controls, wires its handlers and does its work through plain functions. The
// window assembles the tabs, reads once what they show when it opens, and carries what they
// share: the program context, the main window they refresh and the branch number it remembers.

#include "app/contexto.h"

#include <QWidget>

class AbaConvenios;
class AbaDiaria;
class AbaEscritorio;
class AbaGeral;
class AbaMensalistas;
class AbaRotativo;
class AbaTurnos;
class TelaPrincipal;
class QTabWidget;

// What the window keeps from one opening to the next during a run.
struct MemoriaConfiguracao {
    qint16 filial_carregada = 0;   // the branch number `geral.filial` holds, as last loaded or saved
};

class JanelaConfiguracao : public QWidget {
    Q_OBJECT
public:
    // Builds the tabs and runs the load.
    JanelaConfiguracao(Contexto& ctx, TelaPrincipal& a, MemoriaConfiguracao& memoria,
                       QWidget* parent = nullptr);
    ~JanelaConfiguracao() override;

    // Fills every tab from the database; runs once, when the window is created.
    void Form_Load();

    QTabWidget* SSTab1;
    AbaMensalistas* mensalistas;
    AbaConvenios* convenios;
    AbaTurnos* turnos;
    AbaRotativo* rotativo;
    AbaDiaria* diaria;
    AbaGeral* geral;
    AbaEscritorio* escritorio;

private:
    Contexto& ctx_;
};
