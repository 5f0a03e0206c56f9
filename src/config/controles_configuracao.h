#pragma once
// The kinds of control the configuration tabs build, each sized and set up the same way
// everywhere in the window.

#include <QHBoxLayout>
#include <QList>
#include <QStringList>

#include <initializer_list>
#include <utility>

class CampoDinheiro;
class CampoMascara;
class QComboBox;
class QGridLayout;
class QTableWidget;
class QWidget;

// A masked field as wide as its mask ("##:##"); `seleciona` selects it all on focus.
CampoMascara* campoMascara(QWidget* pai, const char* nome, const QString& mascara, bool seleciona);
// A money field as wide as "000.000,00"; `reserva` is its text when left without an amount.
CampoDinheiro* campoDinheiro(QWidget* pai, const char* nome, const QString& reserva = QString());
// A read-only grid of whole rows, one selected at a time, without row numbers.
QTableWidget* gradeConfiguracao(QWidget* pai, const char* nome, int colunas, int linhas);
// Controls side by side; `estica` pushes them to the left.
QHBoxLayout* linhaDe(std::initializer_list<QWidget*> ws, bool estica = true);
// Each label with its control beside it, one pair a row from row `linha` on; `larguraPropria`
// keeps each control at its own width, to the left, instead of filling the column.
void rotulosECampos(QGridLayout* g, std::initializer_list<std::pair<QWidget*, QWidget*>> pares,
                    bool larguraPropria, int linha = 0);
// Makes the item `texto` current, or the first item when there is none such.
void selecionaItem(QComboBox* lista, const QString& texto);
// Writes the rows under the header, or one blank row when there are none; no row is current.
void preencheGrade(QTableWidget* g, const QList<QStringList>& linhas);
