#pragma once
// The window `ger_arq` ("Gerar/Receber Arquivo de Mensalistas"): the office writes one branch's
// subscriber file on a chosen drive, and the branch reads it from there.

#include "app/contexto.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

class JanelaArquivoMensalistas : public QWidget {
    Q_OBJECT
public:
    explicit JanelaArquivoMensalistas(Contexto& ctx, QWidget* parent = nullptr);

    void fil_Click();
    void Command1_Click();   // "Gerar Arquivo"
    void Command3_Click();   // "Receber Arquivo"
    void Command2_Click();   // "Fechar"

    QLabel* Label2;
    QComboBox* fil;
    QComboBox* cod_fil;
    QLabel* Label1;
    QComboBox* Drive1;
    QPushButton* Command1;
    QPushButton* Command3;
    QPushButton* Command2;

private:
    // Where the file goes or is read from: the chosen removable medium, or the program's folder.
    QString pastaEscolhida() const;
    Contexto& ctx_;
};

// Shows `ger_arq` modeless, one at a time: a second call brings the open one forward. The
// subscriber register's "Gerar/Receber Arquivo" button calls it.
void abre_ger_arq(Contexto& ctx, QWidget* pai);
