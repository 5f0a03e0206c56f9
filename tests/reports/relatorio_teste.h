#pragma once
// A program folder holding the report templates, over a database with known rows: users,
// tariffs, partners, subscribers with vehicles, March 2008 stays and monthly-fee payments of
// branches 1 and 2.

#include "reports/documento.h"
#include "reports/janela_relatorios.h"
#include "support/ambiente.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStringList>

#include <gtest/gtest.h>

// Runs the program's events until the report asked of `cr` is done with: shown and whole, or
// ended without a preview, its build gone. The operator's wait, without a real second.
void esperaRelatorio(PlataformaFalsa& plataforma, const ControleRelatorio& cr);

class RelatorioTeste : public ::testing::Test {
protected:
    RelatorioTeste();
    // Copies every template of the repository into the program's folder.
    void instalaModelos();
    void preencheBanco();
    // The lines of the last document shown in the preview; empty when none was shown.
    QStringList linhasVistas() const;

    Ambiente amb;
};

// The reports window over that database, asked for a report as the operator asks for it.
class JanelaRelatoriosTeste : public RelatorioTeste {
protected:
    // Chooses the report and its options, March 2008 as its dates, and prints it: the lines shown
    // in the preview. Any message shown fails the test.
    QStringList imprime(QRadioButton* opcao, bool porTipo = false, bool porVencto = false,
                        const QString& filial = "  ") {
        opcao->setChecked(true);
        janela.Check1->setChecked(porTipo);
        janela.Check2->setChecked(porVencto);
        janela.fil->setText(filial);
        for (QLineEdit* d : {janela.dat_ini, janela.dat_ini_det}) d->setText("01/03/2008");
        for (QLineEdit* d : {janela.dat_fim, janela.dat_fim_det}) d->setText("31/03/2008");
        amb.plataforma.visualizados.clear();
        amb.plataforma.mensagens.clear();
        janela.Command1_Click();
        esperaRelatorio(amb.plataforma, janela.cr);
        EXPECT_TRUE(amb.plataforma.mensagens.empty())
            << amb.plataforma.textosMensagens().join("\n").toStdString();
        return linhasVistas();
    }

    JanelaRelatorios janela{amb.ctx};
};
