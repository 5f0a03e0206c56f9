#pragma once
// Shared set-up of the subscriber tests: branches, types and subscribers written straight into a
// fresh database.

#include "support/ambiente.h"

#include <QDate>

#include <gtest/gtest.h>

class MensalistasTeste : public ::testing::Test {
protected:
    MensalistasTeste() {
        amb.plataforma.defineAgora(QDateTime(QDate(2008, 3, 16), QTime(10, 0, 0)));
        amb.ctx.estado.data_atual = QDate(2008, 3, 16);
        amb.ctx.estado.hora_atual = QTime(10, 0, 0);
        filial(7, "Centro");
        tipo(3, "Mensal", 10000 * 100, 10);
    }
    Banco& db() { return amb.db(); }
    void filial(int codigo, const char* nome) {
        db().executa("INSERT INTO filiais (codigo, nome) VALUES (?, ?)", {codigo, nome});
    }
    void tipo(int codigo, const char* nome, qint64 valorBruto, int dia) {
        db().executa("INSERT INTO tipos_mensalistas (codigo, tipo, valor, dia_vencto) VALUES (?, ?, ?, ?)",
                     {codigo, nome, valorBruto, dia});
    }
    // A subscriber of type 3, branch 7, fee 100,00, due on the 10th.
    void mensalista(int codigo, const QString& nome, const char* inicio = "2008-03-16",
                    bool excluido = false, const QVariant& feriasIni = {},
                    const QVariant& feriasFim = {}) {
        db().executa("INSERT INTO mensalistas (codigo, nome, data_inicio, tipo, dia_vencto, valor, "
                     "filial, excluido, num_max_veic, tolerancia, data_ini_ferias, data_fim_ferias, "
                     "tel_res, tel_cel) VALUES (?, ?, ?, 3, 10, 1000000, 7, ?, 1, 0, ?, ?, "
                     "'3333-4444', '9999-8888')",
                     {codigo, nome, inicio, int(excluido), feriasIni, feriasFim});
    }
    void veiculo(int codigo, const char* placa) {
        db().executa("INSERT INTO veiculos_mensalistas (codigo, veiculo, ano, placa, filial) "
                     "VALUES (?, 'Gol', '2005', ?, 7)",
                     {codigo, placa});
    }
    void mes(int codigo, const char* mes, bool pago) {
        db().executa("INSERT INTO mensalidades (codigo, mes, pago) VALUES (?, ?, ?)",
                     {codigo, mes, int(pago)});
    }
    // Every insert into `tabela` fails from now on, as with a full disk.
    void falhaAoGravar(const char* tabela) { ::falhaAoGravar(amb, tabela); }
    Ambiente amb;
};
