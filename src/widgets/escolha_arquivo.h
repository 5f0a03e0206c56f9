#pragma once
// The file chooser the program opens (where a PDF is saved): Qt's own dialog, never the
// desktop's, naming and drawing what it lists from the names alone. The desktop's dialog, and
// Qt's usual icons and kinds, open each file listed to guess its kind from its first bytes; a
// database file listed (the log, the shared memory beside dados.mdb) would be opened and closed
// by hand, and that close drops every lock the engine holds on it in this process: another
// program's engine would then take itself for the file's only user and truncate the shared
// memory the program is using.

class QFileDialog;

// Makes `escolha` such a dialog; call it before the dialog is shown.
void escolhaSemAbrirArquivos(QFileDialog& escolha);
