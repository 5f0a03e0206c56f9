#pragma once
// The seam of the file changes. Every change the program makes to its database files (a file
// created, filled, renamed, linked or removed, a connection closed or its journal switched) is
// told here first, naming the file; a test stops at each one and looks at the folders as a kill
// just there would leave them. The program itself listens to nothing.

#include <QString>

#include <functional>

using OuvinteArquivos = std::function<void(const QString& arquivo)>;
// Puts `ouvinte` in place (empty: nobody) and gives the one it replaces.
OuvinteArquivos ouveMudancasArquivos(OuvinteArquivos ouvinte);
void avisaMudanca(const QString& arquivo);
