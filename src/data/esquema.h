#pragma once
// The one description of the database layout (version 123): the tables in creation order, their
// fields in order, and the single-field index of seven of them. The creation and the upgrade
// both build their columns from it, so an added field always matches a created one.

#include <QString>

#include <vector>

enum class TipoCampo { Booleano, Inteiro, Longo, Moeda, Data, Texto };

struct Campo {
    const char* nome;
    TipoCampo tipo;
    int tamanho = 0;                 // Text only
    bool vazioPermitido = false;     // Text only: accepts the empty text
    bool autoIncremento = false;     // Long only
};

struct Tabela {
    const char* nome;
    std::vector<Campo> campos;
    const char* campoIndice = nullptr;   // the field of the table's index, if it has one
};

// 123: the field `recebido` (below).
inline constexpr int kVersaoEsquema = 123;

// Every site numbers its cash registers from 1, so at an office a register number alone does not
// tell its own rows from a branch's. The four tables whose rows a register takes and a branch's
// file brings (stays, payments, cancellations, closings) carry this Boolean: True on a row the
// merge of a branch's file wrote (received), False on a row taken at this installation. It stays
// in the main database: the exchange file does not carry it.
inline constexpr const char* kCampoRecebido = "recebido";

const std::vector<Tabela>& esquema();
// Throws std::out_of_range for a name the layout does not have.
const Tabela& tabelaEsquema(const QString& nome);
const Campo& campoEsquema(const QString& tabela, const QString& campo);
bool temCampo(const QString& tabela, const QString& campo);

// The column declaration of a field, as CREATE TABLE and ALTER TABLE ADD COLUMN take it.
QString definicaoColuna(const Campo& c);
QString sqlCriaTabela(const Tabela& t);
// Index names are per database in SQLite, so each table's index carries the table's name.
QString nomeIndice(const QString& tabela);
QString sqlCriaIndice(const QString& tabela, const QString& campo);
