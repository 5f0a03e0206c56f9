#pragma once
// A program folder holding the report templates, over a database with known rows: users,
// tariffs, partners, subscribers with vehicles, March 2008 stays and monthly-fee payments of
// branches 1 and 2.

#include "support/ambiente.h"

#include <QStringList>
#include "reports/documento.h"

#include <gtest/gtest.h>

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
