#pragma once
// The operators of the system in `usuarios`: listing, loading, saving with its checks, and
// deleting by marking the row.

#include "data/banco.h"

#include <QDate>
#include <QString>

#include <array>
#include <optional>
#include <vector>

// The eight screen permissions in the order of their check boxes.
inline constexpr std::array<const char*, 8> kCamposPermissao = {"usu", "men", "con", "lis",
                                                                "rel", "ger", "bac", "pri"};
inline const QString kCadastroVazio = QStringLiteral("  /  /    ");

using Permissoes = std::array<bool, 8>;

struct UsuarioListado {
    qint32 codigo;
    QString usuario;
};

struct Usuario {
    qint32 codigo = 0;
    QString usuario;
    QString senha;
    QDate data_cadastro;   // invalid when never written
    Permissoes permissoes{};
};

// The text without the blanks at both ends; other white space is part of the text.
QString sem_brancos(const QString& texto);

// The users that are not deleted, by name.
std::vector<UsuarioListado> usuarios_listados(Banco& db);
std::optional<Usuario> le_usuario(Banco& db, qint32 codigo);

// What the operator typed in the users window.
struct FichaUsuario {
    QString cod;        // empty for a new user
    QString usuario;
    QString senha;
    QString cad;        // as shown, "  /  /    " when empty
    Permissoes permissoes{};
};

struct ResultadoGravacao {
    bool gravado = false;
    QString mensagem;          // the refusal, or the confirmation once saved
    bool focoCadastro = false; // a refused date sends the focus back to it
    std::optional<QString> cadReescrito;  // the date text normalised before saving
    qint32 codigo = 0;         // the saved row's code
    bool novo = false;         // a row was added
};

// The save of the users window, with its checks in order; nothing is written on a refusal.
ResultadoGravacao grava_usuario(Banco& db, const FichaUsuario& f);

// Marks the user deleted; false when no row has that code.
bool exclui_usuario(Banco& db, qint32 codigo);

// The users window must stay within reach: the last active user holding its right ("Usuários")
// can neither lose it nor be deleted. The refusal of deleting `codigo`, when it is he.
std::optional<QString> recusa_exclusao_usuario(Banco& db, qint32 codigo);

// A registration date typed as "dd/mm/yyyy" (or with a two-digit year); none when the text is
// not a date.
std::optional<QDate> le_data_cadastro(const QString& texto);
