#pragma once
// Saving the subscriber on the register: the chain of checks, then the subscriber's row, its
// authorised vehicles and the hand-over of a parked vehicle, in one transaction.

#include "app/plataforma.h"
#include "data/banco.h"
#include "data/chave_mensalista.h"

#include <QDate>
#include <QString>

#include <array>
#include <vector>

// One row of the register's vehicles list, as its three cells show it.
struct VeiculoMensalista {
    QString veiculo;
    QString ano;
    QString placa;
};

// The register's entry, as its controls hold it (masked fields with their blanks).
struct EntradaMensalista {
    QString cod;   // empty for a new subscriber
    QVariant filialCarregada;   // the loaded subscriber's branch as stored, whatever `fil` shows
    QString dat, nom, ende, bai, cep, cid, ani, tel_res, tel_com, tel_cel, fax, rg;
    bool cnpj = false;   // the document kind shows "CNPJ:"
    QString cpf;
    bool tipoEscolhido = false;   // a type other than the blank one
    QString cod_tip;
    QString dia, tol, valor, num;
    bool filialEscolhida = false;   // a branch other than the blank one
    QString cod_fil;
    std::array<bool, 7> dias{};   // Sunday to Saturday
    QString hor_ini, hor_fim, dat_ini, dat_fim;
    std::vector<VeiculoMensalista> veiculos;   // the list's data rows, empty rows included

    // The subscriber loaded, or nothing for a new one.
    std::optional<ChaveMensalista> carregado() const {
        if (cod.isEmpty()) return std::nullopt;
        return ChaveMensalista{cod.toLongLong(), filialCarregada};
    }
};

// Where the focus goes after a refusal.
enum class CampoMensalista { Nenhum, dat, nom, tip, dia, vei, num, dat_ini, dat_fim, hor_ini,
                             hor_fim, ani, tol, fil, ano, pla, valor };

struct ResultadoMensalista {
    bool feito = false;
    QString mensagem;
    Icone icone = Icone::Informacao;
    CampoMensalista foco = CampoMensalista::Nenhum;
    qint64 codigo = 0;   // the subscriber's code after a save

    static ResultadoMensalista recusa(const QString& m, CampoMensalista f,
                                      Icone i = Icone::Informacao) {
        ResultadoMensalista r;
        r.mensagem = m;
        r.foco = f;
        r.icone = i;
        return r;
    }
};

// The refusal of a plate that an active subscriber other than `carregado` holds.
std::optional<ResultadoMensalista> placaDeOutro(Banco& db,
                                                const std::optional<ChaveMensalista>& carregado,
                                                const QString& placa);

// The first refusal of the chain, or nothing when the entry may be saved. Whatever the list
// held when its vehicles were put in, saving never leaves a plate with two active subscribers
// (a deleted subscriber saved again, or a plate taken by another meanwhile).
std::optional<ResultadoMensalista> verifica_mensalista(Banco& db, const EntradaMensalista& e);

// Checks and saves. `hoje` is the computer's date: a subscription starting today whose due day
// is not after today takes over its vehicles already parked in the yard.
ResultadoMensalista grava_mensalista(Banco& db, const EntradaMensalista& e, const QDate& hoje);
