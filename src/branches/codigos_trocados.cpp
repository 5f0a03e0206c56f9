#include "branches/codigos_trocados.h"

#include "data/banco.h"
#include "data/chave_mensalista.h"
#include "data/ordem_geral.h"

#include <QSqlQuery>

#include <algorithm>
#include <map>
#include <set>

namespace {

// A subscriber of the branch as one side (the office or the file) holds it.
struct Lado {
    qint64 linha = 0;   // the office's rowid; 0 in the file
    qint64 codigo = 0;
    QString nome;
    QVariant inicio;
    bool excluido = false;
    bool livre = false;     // the other side holds no subscriber of this code and name
    bool sozinho = false;   // the other side holds no subscriber of this code at all
    bool estranho = false;  // nor one of this code with this name or this start date
    QStringList placas;
    enum { Aberto, Par, Duvida } estado = Aberto;
};

// Names and plates compare as the office compares them, in the general sort order.
bool mesmoTexto(const QString& a, const QString& b) { return comparaOrdemGeral(a, b) == 0; }

bool mesmaData(const QVariant& a, const QVariant& b) {
    return a.isNull() ? b.isNull() : !b.isNull() && a.toString() == b.toString();
}

std::vector<Lado> daFilial(Banco& b, const QVariant& filial) {
    std::vector<Lado> r;
    std::multimap<qint64, size_t> porCodigo;
    for (QSqlQuery q = b.executa(QStringLiteral("SELECT rowid, codigo, nome, data_inicio, excluido "
                                                "FROM mensalistas WHERE filial = ? AND codigo IS "
                                                "NOT NULL ORDER BY rowid"),
                                 {filial});
         q.next();) {
        Lado l;
        l.linha = q.value(0).toLongLong();
        l.codigo = q.value(1).toLongLong();
        l.nome = q.value(2).toString();
        l.inicio = q.value(3);
        l.excluido = q.value(4).toBool();
        porCodigo.emplace(l.codigo, r.size());
        r.push_back(std::move(l));
    }
    for (QSqlQuery v = b.executa(QStringLiteral("SELECT codigo, placa FROM veiculos_mensalistas "
                                                "WHERE filial = ? AND placa IS NOT NULL"),
                                 {filial});
         v.next();) {
        const auto [de, ate] = porCodigo.equal_range(v.value(0).toLongLong());
        for (auto i = de; i != ate; ++i) r[i->second].placas << v.value(1).toString();
    }
    return r;
}

// Whether each side holds the other's subscribers under their codes (and names).
void comparaLados(std::vector<Lado>& estes, const std::vector<Lado>& outros) {
    std::multimap<qint64, const Lado*> porCodigo;
    for (const Lado& o : outros) porCodigo.emplace(o.codigo, &o);
    for (Lado& l : estes) {
        const auto [de, ate] = porCodigo.equal_range(l.codigo);
        l.sozinho = de == ate;
        l.livre = std::none_of(de, ate, [&](const auto& o) { return mesmoTexto(o.second->nome, l.nome); });
        l.estranho = l.livre && std::none_of(de, ate, [&](const auto& o) {
                         return mesmaData(o.second->inicio, l.inicio);
                     });
    }
}

// The rows that are events of one subscriber's history, and the fields that make two rows the
// same event: a stay by its merge key, a payment and a paid month by the second it was paid.
struct Historia {
    const char* tabela;
    const char* campo;
    const char* somente;
    std::vector<const char*> iguais;
};

const Historia kHistoria[] = {
    {"registro_saida", "mensalista", "", {"ticket", "filial", "data_entrada", "placa", "hora_entrada"}},
    {"pagamento_mensalidade", "mensalista", "", {"filial", "mes", "data", "hora"}},
    {"mensalidades", "codigo", " AND pago <> 0 AND data_pgto IS NOT NULL AND hora_pgto IS NOT NULL",
     {"filial", "mes", "data_pgto", "hora_pgto"}},
};

// The pairs (office's subscriber, file's subscriber), among `deOficina` and `deArquivo`
// (indexes), under other codes, whose history the office already holds from an earlier file
// under the office's subscriber's code and the file now holds under the other's. An event
// that several codes share on either side (payments a batch wrote in one second) proves
// nothing of who is who and is passed over.
std::set<std::pair<size_t, size_t>> mesmaHistoria(Banco& db, Banco& arq, const QVariant& filial,
                                                  const std::vector<Lado>& oficina,
                                                  const std::vector<size_t>& deOficina,
                                                  const std::vector<Lado>& arquivo,
                                                  const std::vector<size_t>& deArquivo) {
    std::set<std::pair<size_t, size_t>> r;
    std::multimap<qint64, size_t> porCodigo;
    for (size_t j : deArquivo) porCodigo.emplace(arquivo[j].codigo, j);
    if (deOficina.empty() || porCodigo.empty()) return r;
    // At the office only the codes looked at, through their index: another code that shares an
    // event with them is in the file too, under the same code, and shares it there.
    std::set<qint64> codigos;
    for (size_t i : deOficina) codigos.insert(oficina[i].codigo);
    QVariantList deCodigos;
    for (qint64 c : codigos) deCodigos << c;
    const QString listaCodigos = QStringList(deCodigos.size(), QStringLiteral("?")).join(u',');
    for (const Historia& h : kHistoria) {
        QStringList campos, iguais;
        for (const char* c : h.iguais) {
            campos << QLatin1String(c);
            iguais << QStringLiteral("%1 IS ?").arg(QLatin1String(c));
        }
        const QString naOficina = QStringLiteral("SELECT min(%1), max(%1) FROM %2 WHERE %1 IN (%3) AND %4")
                                      .arg(QLatin1String(h.campo), QLatin1String(h.tabela), listaCodigos,
                                           iguais.join(QStringLiteral(" AND ")));
        // One reading of the file's table (it has no index on the code): each event once, with
        // the one code that holds it.
        for (QSqlQuery q = arq.executa(QStringLiteral("SELECT min(%1), %2 FROM %3 WHERE filial = ? AND %1 "
                                                      "IS NOT NULL%4 GROUP BY %2 HAVING min(%1) = max(%1)")
                                           .arg(QLatin1String(h.campo), campos.join(u','),
                                                QLatin1String(h.tabela), QLatin1String(h.somente)),
                                       {filial});
             q.next();) {
            const auto [de, ate] = porCodigo.equal_range(q.value(0).toLongLong());
            if (de == ate) continue;
            QVariantList valores;
            for (int i = 0; i < campos.size(); ++i) valores << q.value(i + 1);
            QSqlQuery o = db.executa(naOficina, deCodigos + valores);
            if (!o.next() || o.value(0).isNull() || o.value(0) != o.value(1)) continue;
            const qint64 codigo = o.value(0).toLongLong();
            for (size_t i : deOficina)
                for (auto f = de; f != ate; ++f)
                    if (oficina[i].codigo == codigo && codigo != arquivo[f->second].codigo)
                        r.insert({i, f->second});
        }
    }
    return r;
}

}  // namespace

CodigosDaFilial codigosTrocados(Banco& db, Banco& arq, const QVariant& filial) {
    std::vector<Lado> oficina = daFilial(db, filial), arquivo = daFilial(arq, filial);
    comparaLados(oficina, arquivo);
    comparaLados(arquivo, oficina);

    // Only those that the other side does not hold under their own code and name are looked at.
    std::vector<size_t> deOficina, deArquivo;
    for (size_t i = 0; i < oficina.size(); ++i)
        if (oficina[i].livre) deOficina.push_back(i);
    for (size_t j = 0; j < arquivo.size(); ++j)
        if (arquivo[j].livre) deArquivo.push_back(j);
    const std::set<std::pair<size_t, size_t>> historia =
        mesmaHistoria(db, arq, filial, oficina, deOficina, arquivo, deArquivo);

    // The proofs, strongest first. A plate may pass from one subscriber to another, so it counts
    // only between a subscriber gone from the file and one the office does not hold under its
    // code (by name or start date): new there, or come onto another's code.
    const auto prova = [&](int nivel, size_t i, size_t j) {
        const Lado &o = oficina[i], &f = arquivo[j];
        if (nivel == 0) return historia.count({i, j}) > 0;
        if (!mesmaData(o.inicio, f.inicio)) return false;
        if (nivel == 1) return mesmoTexto(o.nome, f.nome);
        if (!o.sozinho || !f.estranho || o.inicio.isNull()) return false;
        for (const QString& p : o.placas)
            for (const QString& q : f.placas)
                if (mesmoTexto(p, q)) return true;
        return false;
    };
    std::vector<std::pair<size_t, size_t>> pares;
    for (int nivel = 0; nivel < 3; ++nivel) {
        std::map<size_t, std::vector<size_t>> deO, deF;
        for (size_t i : deOficina)
            for (size_t j : deArquivo)
                if (oficina[i].estado == Lado::Aberto && arquivo[j].estado == Lado::Aberto &&
                    oficina[i].codigo != arquivo[j].codigo && prova(nivel, i, j)) {
                    deO[i].push_back(j);
                    deF[j].push_back(i);
                }
        // One on each side, or neither is taken by a weaker proof either.
        for (const auto& [i, js] : deO)
            if (js.size() == 1 && deF[js.front()].size() == 1) pares.push_back({i, js.front()});
        for (const auto& [i, js] : deO) oficina[i].estado = Lado::Duvida;
        for (const auto& [j, is] : deF) arquivo[j].estado = Lado::Duvida;
        for (const auto& [i, j] : pares) oficina[i].estado = arquivo[j].estado = Lado::Par;
    }

    // The new code must be free at the office, or be left by another subscriber moving too:
    // the file's rows under it would otherwise land on the rows of the one that stays.
    CodigosDaFilial r;
    for (bool mudou = true; mudou;) {
        std::set<qint64> saem;
        for (const auto& [i, j] : pares) saem.insert(oficina[i].linha);
        const auto tamanho = pares.size();
        std::erase_if(pares, [&](const std::pair<size_t, size_t>& p) {
            for (const Lado& o : oficina)
                if (o.codigo == arquivo[p.second].codigo && !saem.count(o.linha)) {
                    oficina[p.first].estado = arquivo[p.second].estado = Lado::Duvida;
                    r.ocupados.push_back({{oficina[p.first].linha, oficina[p.first].codigo,
                                           arquivo[p.second].codigo, arquivo[p.second].nome,
                                           oficina[p.first].nome},
                                          o.nome});
                    return true;
                }
            return false;
        });
        mudou = pares.size() != tamanho;
    }

    for (const auto& [i, j] : pares)
        r.trocas.push_back({oficina[i].linha, oficina[i].codigo, arquivo[j].codigo, arquivo[j].nome,
                            oficina[i].nome});

    // An active subscriber gone from the file and not found in it is named where the file could
    // have held it under another code: a plate of it is now another's, or the file brings a
    // subscriber the office cannot place either.
    bool novoSemPar = false;
    for (const Lado& f : arquivo) novoSemPar = novoSemPar || (f.sozinho && f.estado != Lado::Par);
    for (const Lado& o : oficina) {
        if (!o.sozinho || o.excluido || o.estado == Lado::Par) continue;
        MensalistaSemPar s{o.linha, o.codigo, o.nome, {}, 0, {}};
        for (const Lado& f : arquivo)
            for (const QString& p : o.placas)
                if (s.placa.isEmpty() && !f.excluido &&
                    std::any_of(f.placas.begin(), f.placas.end(),
                                [&](const QString& q) { return mesmoTexto(p, q); })) {
                    s.placa = p;
                    s.codigoDono = f.codigo;
                    s.nomeDono = f.nome;
                }
        if (!s.placa.isEmpty() || novoSemPar || o.estado == Lado::Duvida) r.semPar.push_back(s);
    }
    return r;
}

namespace {

QString linhaTroca(const CodigoTrocado& c) {
    return QStringLiteral("O mensalista %1%2 teve o código trocado na filial de %3 para %4")
        .arg(c.nome,
             mesmoTexto(c.nome, c.nomeAntigo) ? QString() : QStringLiteral(" (antes %1)").arg(c.nomeAntigo))
        .arg(c.antigo)
        .arg(c.novo);
}

}  // namespace

void trocaCodigos(Banco& db, const CodigosDaFilial& codigos) {
    if (!codigos.ocupados.empty()) {
        QStringList r;
        for (const CodigoOcupado& o : codigos.ocupados)
            r << QStringLiteral("%1, mas o código %2 da filial é, no escritório, do mensalista %3: "
                                "para que os registros de um não passem ao outro, troque na filial o "
                                "código do mensalista %4 por outro e gere o arquivo novamente.")
                     .arg(linhaTroca(o.troca))
                     .arg(o.troca.novo)
                     .arg(o.nomeDono, o.troca.nome);
        throw ErroBanco(r.join(QStringLiteral("\r\n")));
    }
    // Every row is found before any moves: a code one subscriber leaves may be another's new
    // one, and a payment taken here is told by the month rows still under the old code.
    struct Mudanca {
        const char* tabela;
        const char* campo;
        qint64 linha;
        qint64 novo;
    };
    std::vector<Mudanca> mudancas;
    const auto junta = [&](const char* tabela, const char* campo, const QString& sql,
                           const QVariantList& valores, qint64 novo) {
        for (QSqlQuery q = db.executa(sql, valores); q.next();)
            mudancas.push_back({tabela, campo, q.value(0).toLongLong(), novo});
    };
    for (const CodigoTrocado& t : codigos.trocas) {
        // Its rows by the rule that tells whose a row is: those of the branch, a payment taken
        // here by the month it paid, a car parked here by its plate's registration.
        for (const auto& [tabela, campo] : camposDoMensalista())
            junta(tabela, campo,
                  QStringLiteral("SELECT rowid FROM %1 WHERE %2 = ? AND %3 = ?")
                      .arg(QLatin1String(tabela), QLatin1String(campo),
                           donoDaLinha(QLatin1String(tabela), QLatin1String(tabela))),
                  {t.antigo, t.linha}, t.novo);
        mudancas.push_back({"mensalistas", "codigo", t.linha, t.novo});
    }
    for (const Mudanca& m : mudancas)
        db.executa(QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?")
                       .arg(QLatin1String(m.tabela), QLatin1String(m.campo)),
                   {m.novo, m.linha});
    for (const MensalistaSemPar& s : codigos.semPar)
        if (!s.placa.isEmpty())
            db.executa(QStringLiteral("UPDATE mensalistas SET excluido = 1 WHERE rowid = ?"), {s.linha});
}

QString avisoCodigos(const CodigosDaFilial& codigos) {
    QString r;
    for (const CodigoTrocado& c : codigos.trocas)
        r += QStringLiteral("\r\n") + linhaTroca(c) + u'.';
    for (const MensalistaSemPar& s : codigos.semPar)
        r += QStringLiteral("\r\nO mensalista %1 (código %2) não veio com este código no arquivo da "
                            "filial, e não foi possível saber qual mensalista do arquivo ele é: %3")
                 .arg(s.nome)
                 .arg(s.codigo)
                 .arg(s.placa.isEmpty()
                          ? QStringLiteral("ficou como estava no escritório.")
                          : QStringLiteral("foi marcado como excluído no escritório, porque a placa "
                                           "%1 é do mensalista %2 (código %3) no arquivo.")
                                .arg(s.placa, s.nomeDono)
                                .arg(s.codigoDono));
    return r;
}
