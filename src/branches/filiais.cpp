#include "branches/filiais.h"

#include "data/banco.h"
#include "data/datas.h"

#include <QSqlQuery>

std::vector<FilialListada> lista_filiais(Banco& db) {
    std::vector<FilialListada> r;
    for (QSqlQuery q = db.executa(QStringLiteral("SELECT codigo, nome FROM filiais ORDER BY nome"));
         q.next();)
        r.push_back({q.value(0).toInt(), q.value(1).toString()});
    return r;
}

std::optional<Filial> le_filial(Banco& db, qint32 codigo) {
    QSqlQuery q = db.executa(QStringLiteral("SELECT codigo, nome, endereco, telefone, fax, cnpj "
                                            "FROM filiais WHERE codigo = ?"),
                             {codigo});
    if (!q.next()) return std::nullopt;
    return Filial{q.value(0).toInt(),      q.value(1).toString(), q.value(2).toString(),
                  q.value(3).toString(),   q.value(4).toString(), q.value(5).toString()};
}

ResultadoCadastroFilial grava_filial(Banco& db, const FichaFilial& f) {
    const QString nome = f.nom.trimmed();
    if (nome.isEmpty()) return {false, QStringLiteral("Campo obrigatório: Nome"), 0, true};
    // An empty field is stored as the empty text, not as no value.
    const auto texto = [](const QString& s) { return s.isNull() ? QStringLiteral("") : s; };
    const QVariantList valores{nome, texto(f.ende.trimmed()), texto(f.tel.trimmed()),
                               texto(f.fax.trimmed()),
                               f.cnp == kCnpjVazio ? QStringLiteral("") : texto(f.cnp)};
    Transacao t(db);
    qint32 codigo = 0;
    if (f.cod.isEmpty()) {
        codigo = db.valor(QStringLiteral("SELECT codigo FROM filiais ORDER BY codigo DESC LIMIT 1"))
                     .toInt() + 1;
        db.executa(QStringLiteral("INSERT INTO filiais (codigo, nome, endereco, telefone, fax, "
                                  "cnpj) VALUES (?, ?, ?, ?, ?, ?)"),
                   QVariantList{codigo} + valores);
    } else {
        codigo = f.cod.toInt();
        db.executa(QStringLiteral("UPDATE filiais SET nome = ?, endereco = ?, telefone = ?, "
                                  "fax = ?, cnpj = ? WHERE codigo = ?"),
                   valores + QVariantList{codigo});
    }
    t.confirma();
    return {true, QStringLiteral("Dados gravados com sucesso."), codigo, false};
}

ResultadoCadastroFilial exclui_filial(Banco& db, const QString& cod) {
    if (cod.isEmpty())
        return {false, QStringLiteral("Escolha a filial a excluir na lista das filiais cadastradas."), 0,
                false};
    const qint32 codigo = cod.toInt();
    if (!db.existe(QStringLiteral("SELECT 1 FROM filiais WHERE codigo = ?"), {codigo}))
        return {false, QStringLiteral("Filial não encontrada."), codigo, false};
    if (db.existe(QStringLiteral("SELECT 1 FROM mensalistas WHERE filial = ?"), {codigo}))
        return {false, QStringLiteral("Filial utilizada por mensalista(s). Não pode ser excluída."),
                codigo, false};
    if (db.existe(QStringLiteral("SELECT 1 FROM envio_tickets WHERE filial = ?"), {codigo}))
        return {false, QStringLiteral("Filial utilizada no envio de tickets. Não pode ser excluída."),
                codigo, false};
    db.executa(QStringLiteral("DELETE FROM filiais WHERE codigo = ?"), {codigo});
    return {true, QStringLiteral("Filial excluída com sucesso."), codigo, false};
}

namespace {

// A ticket field's number, its blanks ignored; none when it holds no digit.
std::optional<qint32> numeroTicket(const QString& texto) {
    QString digitos = texto;
    digitos.remove(u' ');
    if (digitos.isEmpty()) return std::nullopt;
    return digitos.toInt();
}

}  // namespace

ResultadoEnvio envia_tickets(Banco& db, const FichaEnvio& f) {
    using C = CampoEnvio;
    if (!f.filial) return {false, QStringLiteral("Escolha a Filial."), false, C::Filial};
    const QDate data = QDate::fromString(f.dat, QStringLiteral("dd/MM/yyyy"));
    if (!data.isValid()) return {false, QStringLiteral("Data inválida."), false, C::Data};
    const QString serie = f.ser.trimmed();
    if (serie.isEmpty()) return {false, QStringLiteral("Preencha a série."), false, C::Serie};
    const std::optional<qint32> inicial = numeroTicket(f.tic_ini);
    if (!inicial) return {false, QStringLiteral("Preencha o ticket inicial."), false, C::TicketInicial};
    const std::optional<qint32> final_ = numeroTicket(f.tic_fin);
    if (!final_) return {false, QStringLiteral("Preencha o ticket final."), false, C::TicketFinal};
    if (*inicial > *final_)
        return {false, QStringLiteral("O ticket inicial não pode ser maior que o ticket final."),
                false, C::TicketInicial};
    Transacao t(db);
    if (db.existe(QStringLiteral("SELECT 1 FROM envio_tickets WHERE filial = ? AND serie = ? AND "
                                 "ticket_inicial <= ? AND ticket_final >= ?"),
                  {*f.filial, serie, *final_, *inicial}))
        return {false,
                QStringLiteral("Já foram enviados tickets nesse intervalo, com mesma série e para a "
                               "mesma filial. Um novo envio não pode ser feito."),
                true, C::Nenhum};
    db.executa(QStringLiteral("INSERT INTO envio_tickets (filial, data, serie, ticket_inicial, "
                              "ticket_final) VALUES (?, ?, ?, ?, ?)"),
               {*f.filial, dataParaBanco(data), serie, *inicial, *final_});
    t.confirma();
    return {true, QStringLiteral("Ticket enviados com sucesso."), false, C::Nenhum};
}
