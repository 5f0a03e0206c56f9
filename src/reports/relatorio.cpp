#include "reports/relatorio.h"

#include "data/datas.h"
#include "data/dinheiro.h"
#include "reports/formula.h"
#include "reports/pagamentos.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

#include <array>
#include <charconv>
#include <functional>
#include <map>
#include <optional>

namespace {

// A value of the current row as Qt holds it, for labels and the formats' uncommon cases.
QVariant valorColuna(sqlite3_stmt* st, int i) {
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_NULL: return {};
    case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_column_int64(st, i)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(st, i));
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)),
                                 sqlite3_column_bytes(st, i));
    }
}

QString formata(const QVariant& v, Formato f) {
    if (v.isNull() && f != Formato::SimNao) return {};
    switch (f) {
    case Formato::Texto: return v.toString();
    case Formato::Inteiro:
        // A text stands as it is ("0000000000", the ticket of a subscriber's stay), never as a 0.
        return v.typeId() == QMetaType::QString ? v.toString() : QString::number(v.toLongLong());
    case Formato::Moeda: return Dinheiro::bruto(v.toLongLong()).formata();
    case Formato::Data: return dataBr(dataDoBanco(v));
    case Formato::Mes: {
        const QDate d = dataDoBanco(v);
        return d.isValid() ? d.toString(QStringLiteral("MM/yyyy")) : QString();
    }
    case Formato::Hora: return horaHm(horaDoBanco(v));
    case Formato::SimNao: return v.toInt() != 0 ? QStringLiteral("Sim") : QStringLiteral("Não");
    }
    return v.toString();
}

void acrescentaNumero(std::string& s, unsigned long long v) {
    char b[24];
    s.append(b, size_t(std::to_chars(b, b + sizeof b, v).ptr - b));
}

// Money as "#.##0,00", as Dinheiro::formata writes it.
void formataMoeda(qint64 valor, std::string& s) {
    const bool negativo = valor < 0;
    const quint64 absoluto = negativo ? quint64(-(valor + 1)) + 1 : quint64(valor);
    const quint64 centavos = (absoluto + 50) / 100;
    if (negativo && centavos != 0) s += '-';
    char b[24];
    const size_t n = size_t(std::to_chars(b, b + sizeof b, centavos / 100).ptr - b);
    for (size_t i = 0; i < n; ++i) {
        if (i && (n - i) % 3 == 0) s += '.';
        s += b[i];
    }
    s += ',';
    s += char('0' + centavos % 100 / 10);
    s += char('0' + centavos % 10);
}

bool digitos(const unsigned char* t, std::initializer_list<int> posicoes) {
    for (int i : posicoes)
        if (t[i] < '0' || t[i] > '9') return false;
    return true;
}

int numero(const unsigned char* t, int de, int n) {
    int r = 0;
    for (int i = de; i < de + n; ++i) r = r * 10 + (t[i] - '0');
    return r;
}

// One cell of the current row, in UTF-8. The stored forms ("yyyy-MM-dd", "HH:mm:ss", money
// as a whole number) are turned over directly; anything else goes the long way.
void formataCelula(sqlite3_stmt* st, int i, Formato f, std::string& s) {
    const int tipo = sqlite3_column_type(st, i);
    if (tipo == SQLITE_NULL && f != Formato::SimNao) return;
    const auto* t = sqlite3_column_text(st, i);
    const int n = sqlite3_column_bytes(st, i);
    switch (f) {
    case Formato::Texto:
        s.append(reinterpret_cast<const char*>(t), size_t(n));
        return;
    case Formato::Inteiro:
        if (tipo == SQLITE_INTEGER) {
            const qint64 v = sqlite3_column_int64(st, i);
            if (v < 0) s += '-';
            acrescentaNumero(s, v < 0 ? quint64(-(v + 1)) + 1 : quint64(v));
            return;
        }
        break;
    case Formato::Moeda:
        if (tipo == SQLITE_INTEGER) return formataMoeda(sqlite3_column_int64(st, i), s);
        break;
    case Formato::Data:
    case Formato::Mes:
        if (tipo == SQLITE_TEXT && n >= 10 && t[4] == '-' && t[7] == '-' && digitos(t, {0, 1, 2, 3, 5, 6, 8, 9}) &&
            QDate::isValid(numero(t, 0, 4), numero(t, 5, 2), numero(t, 8, 2)) && numero(t, 0, 4) >= 1000) {
            const char d[10] = {char(t[8]), char(t[9]), '/', char(t[5]), char(t[6]), '/',
                                char(t[0]), char(t[1]), char(t[2]), char(t[3])};
            // A month is its number and year: the day of its key says nothing.
            if (f == Formato::Mes) s.append(d + 3, 7);
            else s.append(d, 10);
            return;
        }
        break;
    case Formato::Hora:
        if (tipo == SQLITE_TEXT && n == 8 && t[2] == ':' && t[5] == ':' && digitos(t, {0, 1, 3, 4, 6, 7}) &&
            numero(t, 0, 2) < 24 && numero(t, 3, 2) < 60 && numero(t, 6, 2) < 60) {
            s.append(reinterpret_cast<const char*>(t), 5);
            return;
        }
        break;
    case Formato::SimNao:
        s += sqlite3_column_int64(st, i) != 0 ? "Sim" : "Não";
        return;
    }
    s += formata(valorColuna(st, i), f).toStdString();
}

// `texto` with each match of `marca` replaced by what `troca` gives for it.
QString substitui(const QString& texto, const QRegularExpression& marca,
                  const std::function<QString(const QRegularExpressionMatch&)>& troca) {
    QString r;
    qsizetype de = 0;
    for (auto it = marca.globalMatch(texto); it.hasNext();) {
        const auto m = it.next();
        r += texto.mid(de, m.capturedStart() - de);
        r += troca(m);
        de = m.capturedEnd();
    }
    return r + texto.mid(de);
}

using LeCampo = std::function<std::optional<QVariant>(const QString&)>;

// "{campo}" and "{campo:formato}" in a label, from the current row. A piece between "[" and "]"
// is printed only when every field in it has a value.
QString preencheRotulo(const QString& rotulo, const LeCampo& campo) {
    static const QRegularExpression marca(QStringLiteral("\\{([a-z_0-9]+)(?::([a-z]+))?\\}"));
    static const QRegularExpression opcional(QStringLiteral("\\[([^\\[\\]]*)\\]"));
    bool falta = false;
    const auto preenche = [&](const QString& texto) {
        return substitui(texto, marca, [&](const QRegularExpressionMatch& m) {
            bool ok = true;
            const Formato f = m.captured(2).isEmpty() ? Formato::Texto : formatoDoNome(m.captured(2), &ok);
            const auto v = campo(m.captured(1));
            if (!v || !ok) return m.captured(0);
            const QString t = formata(*v, f);
            falta = falta || v->isNull() || t.isEmpty();
            return t;
        });
    };
    const QString comOpcionais = substitui(rotulo, opcional, [&](const QRegularExpressionMatch& m) {
        falta = false;
        const QString t = preenche(m.captured(1));
        return falta ? QString() : t;
    });
    return preenche(comOpcionais);
}

// "{nome}" of the formula fields in the header and footer.
QString preencheFormulas(QString texto, const QMap<QString, QString>& formulas) {
    static const QRegularExpression marca(QStringLiteral("\\{([a-z_]+)\\}"));
    return substitui(texto, marca, [&formulas](const QRegularExpressionMatch& m) {
        if (m.captured(1) == QLatin1String("pagina") || m.captured(1) == QLatin1String("paginas"))
            return m.captured(0);   // filled when the pages are laid out
        return formulas.value(m.captured(1));
    });
}

// A plain number as the formulas carry it (" 1234.5") as money.
Dinheiro dinheiroDaFormula(const QString& texto) {
    const QString t = texto.trimmed();
    if (t.isEmpty()) return {};
    const bool negativo = t.startsWith(QLatin1Char('-'));
    const QString abs = negativo ? t.mid(1) : t;
    const QString inteiro = abs.section(QLatin1Char('.'), 0, 0);
    const QString fracao = (abs.section(QLatin1Char('.'), 1, 1) + QStringLiteral("0000")).left(4);
    const Dinheiro d = Dinheiro::bruto(inteiro.toLongLong() * Dinheiro::kEscala + fracao.toLongLong());
    return negativo ? -d : d;
}

}  // namespace

// One section of the template (or of a subreport) with its prepared query.
struct SecaoMontada {
    SecaoModelo modelo;
    QString sql;
    sqlite3_stmt* st = nullptr;
    std::vector<int> indiceColuna, indiceGrupo;
    std::map<QString, int> indicePorNome;

    ~SecaoMontada() { sqlite3_finalize(st); }
};

struct MontagemRelatorio::Estado {
    Banco& db;
    const PedidoRelatorio pedido;
    QMap<QString, QString> formulas;
    std::vector<std::unique_ptr<SecaoMontada>> secoes;

    // The section being read.
    size_t atual = 0;
    bool comecada = false;
    std::vector<qint64> totais, subtotais;
    std::string chaveGrupo;
    bool haGrupo = false;
    QString rotuloSubtotal;
    qint64 linhasDaSecao = 0;
    std::vector<std::string> celulas;

    Estado(Banco& b, const PedidoRelatorio& p) : db(b), pedido(p) {}

    QString nomeModelo() const { return QFileInfo(pedido.arquivo).fileName(); }

    void acrescentaSecoes(const Modelo& m, const QString& selecao, int nivel) {
        for (const SecaoModelo& s : m.secoes) {
            if (!s.subrelatorio.isEmpty()) {
                if (nivel > 0) throw ErroRelatorio(QStringLiteral("Um sub-relatório não pode ter sub-relatórios."));
                const QString caminho =
                    QFileInfo(pedido.arquivo).dir().filePath(s.subrelatorio + QStringLiteral(".rpt"));
                acrescentaSecoes(leModelo(caminho), pedido.selecaoSub.value(s.subrelatorio), nivel + 1);
            } else {
                secoes.push_back(prepara(s, selecao, nivel));
            }
        }
    }

    // The sort fields belong to the main report; one that names a table the section does not
    // read (left by an earlier subscriber report) is left out.
    QString clausulaOrdem(const SecaoModelo& s, int nivel) const {
        QStringList termos;
        for (const QString& o : nivel == 0 ? pedido.ordem : std::array<QString, 2>{}) {
            const QString t = o.trimmed();
            if (t.isEmpty()) continue;
            if (!t.startsWith(QLatin1Char('+')) && !t.startsWith(QLatin1Char('-')))
                throw ErroRelatorio(QStringLiteral("Campo de ordenação não aceito: %1").arg(o));
            QString campo;
            try {
                campo = campoDaFormula(t.mid(1));
            } catch (const ErroFormula& e) {
                throw ErroRelatorio(e.mensagem());
            }
            if (!s.tabelas.contains(campo.section(QLatin1Char('.'), 0, 0))) continue;
            termos << campo + (t.startsWith(QLatin1Char('-')) ? QStringLiteral(" DESC") : QString());
        }
        termos << s.ordem;
        return termos.isEmpty() ? QString() : QStringLiteral(" ORDER BY ") + termos.join(QStringLiteral(", "));
    }

    std::unique_ptr<SecaoMontada> prepara(const SecaoModelo& s, const QString& selecao, int nivel) {
        auto sm = std::make_unique<SecaoMontada>();
        sm->modelo = s;
        if (s.consulta.isEmpty()) return sm;
        QString sql = s.consulta;
        sql.replace(QLatin1String("{pagamentos}"), QLatin1Char('(') + consultaPagamentos() + QLatin1Char(')'));
        QVariantList valores;
        if (sql.contains(QLatin1String("{selecao}"))) {
            CondicaoSql c;
            try {
                c = traduzFormula(selecao);
            } catch (const ErroFormula& e) {
                throw ErroRelatorio(e.mensagem());
            }
            for (const QString& t : c.tabelas)
                if (!s.tabelas.contains(t))
                    throw ErroRelatorio(QStringLiteral("A fórmula de seleção usa a tabela %1, que o modelo %2 não lê.")
                                            .arg(t, nomeModelo()));
            sql.replace(QLatin1String("{selecao}"), QLatin1Char('(') + c.sql + QLatin1Char(')'));
            valores = c.valores;
        }
        sm->sql = sql + clausulaOrdem(s, nivel);

        sqlite3* nativo = db.nativo();
        if (!nativo) throw ErroRelatorio(QStringLiteral("O banco de dados não está aberto."));
        const QByteArray texto = sm->sql.toUtf8();
        if (sqlite3_prepare_v2(nativo, texto.constData(), int(texto.size()), &sm->st, nullptr) != SQLITE_OK)
            falhaBanco();
        for (int i = 0; i < valores.size(); ++i) ligaParametro(sm->st, i + 1, valores[i]);

        // Every column and the group's fields must come from the query.
        for (int i = 0; i < sqlite3_column_count(sm->st); ++i)
            sm->indicePorNome.emplace(QString::fromUtf8(sqlite3_column_name(sm->st, i)), i);
        QStringList faltando;
        const auto indice = [&](const QString& campo) {
            const auto it = sm->indicePorNome.find(campo);
            if (it == sm->indicePorNome.end()) faltando << campo;
            return it == sm->indicePorNome.end() ? -1 : it->second;
        };
        for (const ColunaModelo& c : s.colunas) sm->indiceColuna.push_back(indice(c.campo));
        for (const QString& g : s.grupo.split(QLatin1Char(','), Qt::SkipEmptyParts))
            sm->indiceGrupo.push_back(indice(g.trimmed()));
        if (!faltando.isEmpty())
            throw ErroRelatorio(QStringLiteral("Modelo de relatório %1: a consulta não traz %2.")
                                    .arg(nomeModelo(), faltando.join(QStringLiteral(", "))));
        return sm;
    }

    [[noreturn]] void falhaBanco() const {
        try {
            db.falhaNativa();
        } catch (const ErroBanco& e) {
            throw ErroRelatorio(QStringLiteral("Não foi possível gerar o relatório \"%1\".\n%2")
                                    .arg(pedido.titulo, e.mensagem()));
        }
    }

    LeCampo leitor(const SecaoMontada& s) const {
        return [&s](const QString& nome) -> std::optional<QVariant> {
            const auto it = s.indicePorNome.find(nome);
            if (it == s.indicePorNome.end()) return std::nullopt;
            return valorColuna(s.st, it->second);
        };
    }

    void linhaDeSomas(DocumentoRelatorio& doc, const SecaoModelo& s, const std::vector<qint64>& v,
                      const QString& rotulo) {
        celulas.assign(size_t(s.colunas.size()), {});
        bool soma = false;
        for (int i = 0; i < s.colunas.size(); ++i)
            if (s.colunas[i].soma) {
                formataSoma(v[size_t(i)], s.colunas[i].formato, celulas[size_t(i)]);
                soma = true;
            }
        // A closing line with nothing to say (a label whose fields were all empty) is left out.
        if (!soma && rotulo.isEmpty()) return;
        if (!celulas.empty()) celulas[0] = rotulo.toStdString();
        doc.acrescenta(LinhaRelatorio::Tipo::Subtotal, celulas);
    }

    static void formataSoma(qint64 v, Formato f, std::string& s) {
        if (f == Formato::Moeda) formataMoeda(v, s);
        else s = QString::number(v).toStdString();
    }

    void fechaGrupo(DocumentoRelatorio& doc, const SecaoModelo& s) {
        if (haGrupo && !s.rotuloSubtotal.isEmpty()) linhaDeSomas(doc, s, subtotais, rotuloSubtotal);
        std::fill(subtotais.begin(), subtotais.end(), 0);
    }

    void resumo(DocumentoRelatorio& doc, const ResumoModelo& res, const SecaoModelo& s) const {
        qint64 soma = 0;
        bool moeda = false;
        for (const QString& t : res.termos) {
            if (t == QLatin1String("total_mensalidades")) {
                soma += dinheiroDaFormula(formulas.value(t)).valorBruto();
                moeda = true;
                continue;
            }
            for (int i = 0; i < s.colunas.size(); ++i)
                if (s.colunas[i].campo == t) {
                    soma += totais[size_t(i)];
                    moeda = moeda || s.colunas[i].formato == Formato::Moeda;
                }
        }
        doc.acrescenta(LinhaRelatorio::Tipo::Resumo,
                       {res.rotulo.toStdString(),
                        (moeda ? Dinheiro::bruto(soma).formata() : QString::number(soma)).toStdString()});
    }

    void terminaSecao(DocumentoRelatorio& doc, const SecaoModelo& s) {
        fechaGrupo(doc, s);
        if (linhasDaSecao == 0 && !s.vazio.isEmpty()) doc.acrescenta(LinhaRelatorio::Tipo::Vazio, {s.vazio.toStdString()});
        for (const ResumoModelo& r : s.resumos) resumo(doc, r, s);
    }

    // One row of the section's query into the document.
    void linha(DocumentoRelatorio& doc, const SecaoMontada& sm) {
        const SecaoModelo& s = sm.modelo;
        sqlite3_stmt* st = sm.st;
        if (!sm.indiceGrupo.empty()) {
            thread_local std::string chave;
            chave.clear();
            for (int g : sm.indiceGrupo) {
                chave += char('0' + sqlite3_column_type(st, g));
                chave.append(reinterpret_cast<const char*>(sqlite3_column_text(st, g)),
                             size_t(sqlite3_column_bytes(st, g)));
                chave += '\x1f';
            }
            if (!haGrupo || chave != chaveGrupo) {
                fechaGrupo(doc, s);
                const LeCampo le = leitor(sm);
                doc.acrescenta(LinhaRelatorio::Tipo::Grupo, {preencheRotulo(s.rotuloGrupo, le).toStdString()});
                rotuloSubtotal = preencheRotulo(s.rotuloSubtotal, le);
                chaveGrupo = chave;
                haGrupo = true;
            }
        }
        const int n = int(s.colunas.size());
        celulas.resize(size_t(n));
        bool algum = false;
        for (int i = 0; i < n; ++i) {
            const int c = sm.indiceColuna[size_t(i)];
            std::string& cel = celulas[size_t(i)];
            cel.clear();
            const bool nulo = sqlite3_column_type(st, c) == SQLITE_NULL;
            algum = algum || !nulo;
            formataCelula(st, c, s.colunas[i].formato, cel);
            if (s.colunas[i].soma && !nulo) {
                const qint64 v = sqlite3_column_int64(st, c);
                totais[size_t(i)] += v;
                subtotais[size_t(i)] += v;
            }
        }
        // A group without details (an outer join that found nothing) prints its label only.
        if (algum) doc.acrescenta(LinhaRelatorio::Tipo::Detalhe, celulas);
        ++linhasDaSecao;
    }
};

MontagemRelatorio::MontagemRelatorio(Banco& db, const PedidoRelatorio& pedido)
    : e_(std::make_unique<Estado>(db, pedido)) {
    try {
        leitura_.emplace(db);
        e_->formulas = valoresFormulas(pedido, db);
    } catch (const ErroFormula& e) {
        throw ErroRelatorio(e.mensagem());
    } catch (const ErroBanco& e) {
        throw ErroRelatorio(e.mensagemLeitura(QStringLiteral("os dados do relatório")));
    }
    const Modelo m = leModelo(pedido.arquivo);
    e_->acrescentaSecoes(m, pedido.selecao, 0);
    documento_ = std::make_shared<DocumentoRelatorio>(pedido.titulo, preencheFormulas(m.cabecalho, e_->formulas),
                                                      preencheFormulas(m.rodape, e_->formulas));
}

MontagemRelatorio::~MontagemRelatorio() = default;

QStringList MontagemRelatorio::consultas() const {
    QStringList r;
    for (const auto& s : e_->secoes)
        if (!s->sql.isEmpty()) r << s->sql;
    return r;
}

bool MontagemRelatorio::avanca(int linhas) {
    Estado& e = *e_;
    DocumentoRelatorio& doc = *documento_;
    if (doc.concluido()) return true;
    int feitas = 0;
    while (e.atual < e.secoes.size()) {
        SecaoMontada& sm = *e.secoes[e.atual];
        const SecaoModelo& s = sm.modelo;
        if (!e.comecada) {
            doc.comecaSecao(s.titulo, s.colunas);
            e.totais.assign(size_t(s.colunas.size()), 0);
            e.subtotais.assign(size_t(s.colunas.size()), 0);
            e.haGrupo = false;
            e.linhasDaSecao = 0;
            e.comecada = true;
        }
        if (sm.st) {
            for (;;) {
                if (feitas >= linhas) return false;
                const int r = sqlite3_step(sm.st);
                if (r == SQLITE_DONE) break;
                if (r != SQLITE_ROW) e.falhaBanco();
                e.linha(doc, sm);
                ++feitas;
                ++lidas_;
            }
            sqlite3_finalize(sm.st);   // the read ends here, not when the document is closed
            sm.st = nullptr;
        }
        e.terminaSecao(doc, s);
        e.comecada = false;
        ++e.atual;
    }
    doc.conclui();
    return true;
}
