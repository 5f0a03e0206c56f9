#pragma once
// The branch register and the ticket ranges handed to branches, as plain functions over the
// database; the windows `fil_cad` and `fil_env` read their fields and show the results.

#include <QString>

#include <optional>
#include <vector>

class Banco;

inline const QString kCnpjVazio = QStringLiteral("  .   .   /    -  ");

struct FilialListada {
    qint32 codigo = 0;
    QString nome;
};

struct Filial {
    qint32 codigo = 0;
    QString nome, endereco, telefone, fax, cnpj;
};

// The branches by name.
std::vector<FilialListada> lista_filiais(Banco& db);
std::optional<Filial> le_filial(Banco& db, qint32 codigo);

// What the register's fields hold when "Gravar" is pressed.
struct FichaFilial {
    QString cod;   // empty for a new branch
    QString nom, ende, tel, fax;
    QString cnp;   // the masked text as shown
};

struct ResultadoCadastroFilial {
    bool ok = false;
    QString mensagem;
    qint32 codigo = 0;       // the branch saved
    bool focoNome = false;   // the focus goes back to the name
};

// Saves a new branch under the highest code plus one (1 for the first), or the branch `cod`.
ResultadoCadastroFilial grava_filial(Banco& db, const FichaFilial& f);
// Deletes the branch `cod` while no subscriber and no ticket range refers to it.
ResultadoCadastroFilial exclui_filial(Banco& db, const QString& cod);

// What `fil_env`'s fields hold when "Enviar Tickets" is pressed.
struct FichaEnvio {
    std::optional<qint32> filial;   // none while the blank entry is chosen
    QString dat;                    // "dd/MM/yyyy" with blanks where nothing was typed
    QString ser;
    QString tic_ini, tic_fin;       // five characters, blanks where nothing was typed
};

enum class CampoEnvio { Nenhum, Filial, Data, Serie, TicketInicial, TicketFinal };

struct ResultadoEnvio {
    bool ok = false;
    QString mensagem;
    bool exclamacao = false;
    CampoEnvio foco = CampoEnvio::Nenhum;
};

// Records a ticket range for a branch, refusing one that shares a ticket with a range already
// sent to that branch in the same series.
ResultadoEnvio envia_tickets(Banco& db, const FichaEnvio& f);
