#include "config/principal_convenios_geral.h"

#include "yard/janela_principal.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

void atualizaConveniosDaPrincipal(JanelaPrincipal& a, const ListaConvenios& lista) {
    a.conv->clear();
    a.cod_con->clear();
    a.conv->addItems(lista.nomes);
    a.cod_con->addItems(lista.codigos);
    a.conv->setCurrentIndex(-1);
    a.cod_con->setCurrentIndex(-1);
}

void aplicaGeralNaPrincipal(JanelaPrincipal& a, const EfeitosGeral& e) {
    a.Frame3->setVisible(e.mostrar_lista);
    if (e.mostrar_lista) a.atualiza_lista_patio();
    if (!e.habilitar_prisma) a.pri->setText(kPrismaVazio);
    a.pri->setVisible(e.habilitar_prisma);
    a.Label12->setVisible(e.habilitar_prisma);
    a.vei->setVisible(e.habilitar_veiculo);
    a.LabelVeiculo->setVisible(e.habilitar_veiculo);
    // Each lane's "Registrar e Imprimir" follows the printers only in its own mode: the entry's
    // button stays off at the exit and the exit's at the entry, as the mode left them.
    a.Command6->setEnabled(e.imprime_entrada && a.Option1->isChecked());
    a.Command7->setEnabled(e.imprime_saida && a.Option2->isChecked());
    a.Command10->setEnabled(e.lista_entrada);
    a.Command11->setEnabled(e.lista_saida);
}
