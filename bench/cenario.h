#pragma once
// One database file on the real disk, a yard of a given size and a million stays, seen by the
// program (its context, lanes and main window) and by bare SQLite side by side.

#include "plataforma_bench.h"
#include "sqlite_nu.h"

#include "app/contexto.h"
#include "yard/cancelas.h"
#include "support/janela_principal_teste.h"

#include <memory>
#include <random>
#include <string>
#include <vector>

// Creates the file every scenario starts from: the layout and 1,000,000 stays in
// `registro_saida`, plus 300 subscribers with one vehicle each.
void criaModelo(const QString& caminho);

class Cenario {
public:
    // `diario` and `sincronia` as in the PRAGMAs journal_mode and synchronous.
    Cenario(const QString& pasta, const QString& modelo, int patio, std::string diario,
            std::string sincronia);
    ~Cenario();

    const int patio;
    const std::string diario, sincronia;
    PlataformaBench plataforma;
    Contexto ctx{plataforma};
    ControleCancelas cancelas{ctx, nullptr, nullptr};
    std::unique_ptr<JanelaPrincipalTeste> janela;
    sqlite3* nu = nullptr;

    // Bare statements of the lanes, prepared once.
    std::unique_ptr<Comando> inicia, confirma, placaNoPatio, placaMensalista, novoTicket,
        novoVeiculo, achaSaida, apagaVeiculo, novaEstadia, porPlaca, porTicket, porPrisma,
        lista;

    std::string novaPlaca();             // a plate not in the yard
    const std::string& placaBase(int i) const { return placas_[size_t(i)]; }
    int sorteia() { return int(sorteio_() % unsigned(patio)); }   // a vehicle of the yard
    int prismaBase(int i) const { return i % 3 == 0 ? 0 : i % 999 + 1; }

private:
    std::vector<std::string> placas_;
    std::mt19937 sorteio_{20261207};
    int novas_ = 0;
};
