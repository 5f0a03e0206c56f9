#pragma once
// The login: clock check, the operator's name and password, his rights on the main window,
// the cash register he works with and the settings of `geral`, in one pass.

#include "app/contexto.h"

#include <QString>

class TelaPrincipal;

enum class ResultadoLogin {
    Entrou,        // the main window is ready: close the start-up window and show it
    FocoUsuario,   // refused: the focus goes to the user box
    FocoSenha,     // refused: the focus goes to the password box
    Encerrar,      // the program must end
    Falhou,        // a database operation failed; its message was shown
};

// Runs the login with the texts typed in the two boxes. Messages are shown through the
// platform; once in, the main window `a` is handed what the login opens of it. The caller moves
// the focus, ends the program or shows the main window.
// `senhasErradas` is the start-up window's count of wrong passwords.
ResultadoLogin faz_login(const QString& usuario, const QString& senha, Contexto& ctx,
                         TelaPrincipal& a, int& senhasErradas);
