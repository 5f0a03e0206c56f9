#include "access/usuarios.h"

#include "data/datas.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

namespace {

// Whether an active user other than `codigo` holds the users window's right.
bool outroComUsuarios(Banco& db, qint32 codigo) {
    return db.existe(QStringLiteral("SELECT 1 FROM usuarios WHERE usu <> 0 AND excluido = 0 AND "
                                    "codigo <> ?"),
                     {codigo});
}

const QString kSemUsuarios = QStringLiteral("sem ele, ninguém mais poderia entrar no cadastro de usuários");

}  // namespace

QString sem_brancos(const QString& texto) {
    qsizetype inicio = 0;
    qsizetype fim = texto.size();
    while (inicio < fim && texto[inicio] == u' ') ++inicio;
    while (fim > inicio && texto[fim - 1] == u' ') --fim;
    return texto.mid(inicio, fim - inicio);
}

std::vector<UsuarioListado> usuarios_listados(Banco& db) {
    std::vector<UsuarioListado> r;
    QSqlQuery q = db.executa(
        QStringLiteral("SELECT codigo, usuario FROM usuarios WHERE excluido = 0 ORDER BY usuario"));
    while (q.next()) r.push_back({q.value(0).toInt(), q.value(1).toString()});
    return r;
}

std::optional<Usuario> le_usuario(Banco& db, qint32 codigo) {
    QSqlQuery q = db.executa(QStringLiteral("SELECT * FROM usuarios WHERE codigo = ?"), {codigo});
    if (!q.next()) return std::nullopt;
    const QSqlRecord r = q.record();
    Usuario u;
    u.codigo = r.value(QStringLiteral("codigo")).toInt();
    u.usuario = r.value(QStringLiteral("usuario")).toString();
    u.senha = r.value(QStringLiteral("senha")).toString();
    u.data_cadastro = dataDoBanco(r.value(QStringLiteral("data_cadastro")));
    for (size_t i = 0; i < kCamposPermissao.size(); ++i)
        u.permissoes[i] = r.value(QLatin1String(kCamposPermissao[i])).toInt() != 0;
    return u;
}

std::optional<QDate> le_data_cadastro(const QString& texto) {
    const QStringList partes = texto.split(u'/');
    if (partes.size() != 3) return std::nullopt;
    int numeros[3];
    for (int i = 0; i < 3; ++i) {
        const QString p = partes[i].trimmed();
        if (p.isEmpty() || p.size() > 4) return std::nullopt;
        for (QChar c : p)
            if (!c.isDigit()) return std::nullopt;
        numeros[i] = p.toInt();
        if (i == 2 && p.size() != 4 && p.size() > 2) return std::nullopt;
        if (i == 2 && p.size() <= 2) numeros[i] += numeros[i] < 30 ? 2000 : 1900;
    }
    if (numeros[2] < 100) return std::nullopt;
    const QDate d(numeros[2], numeros[1], numeros[0]);
    if (!d.isValid()) return std::nullopt;
    return d;
}

ResultadoGravacao grava_usuario(Banco& db, const FichaUsuario& f) {
    // A date rewritten by the second check stays rewritten when a later check refuses.
    std::optional<QString> cadReescrito;
    auto recusa = [&cadReescrito](const QString& mensagem, bool focoCadastro = false) {
        ResultadoGravacao r;
        r.mensagem = mensagem;
        r.focoCadastro = focoCadastro;
        r.cadReescrito = cadReescrito;
        return r;
    };

    const QString nome = sem_brancos(f.usuario);
    if (nome.isEmpty() || sem_brancos(f.senha).isEmpty())
        return recusa(QStringLiteral("Campos obrigatórios: Usuário e senha."));

    QString cad = f.cad;
    if (cad != kCadastroVazio && !le_data_cadastro(cad)) {
        const std::optional<QDate> inicio = le_data_cadastro(cad.left(8));
        if (!inicio) return recusa(QStringLiteral("Data de cadastro inválida."), true);
        cad = dataBr(*inicio);
        cadReescrito = cad;
    }

    bool algumaPermissao = false;
    for (bool p : f.permissoes) algumaPermissao = algumaPermissao || p;
    if (!algumaPermissao)
        return recusa(QStringLiteral(
            "Escolha quais telas o usuário terá acesso (Permissões de Acesso)."));

    const bool novo = f.cod.isEmpty();
    bool codigoOk = true;
    const qint32 codigoAtual = novo ? 0 : f.cod.toInt(&codigoOk);
    if (!codigoOk) return recusa(QStringLiteral("Código de usuário inválido."));

    const bool repetido =
        novo ? db.existe(QStringLiteral("SELECT usuario FROM usuarios WHERE usuario = ? AND "
                                        "excluido = 0"),
                         {nome})
             : db.existe(QStringLiteral("SELECT usuario FROM usuarios WHERE usuario = ? AND "
                                        "codigo <> ? AND excluido = 0"),
                         {nome, codigoAtual});
    if (repetido) return recusa(QStringLiteral("Usuário já existente."));

    if (!f.permissoes[0] && !outroComUsuarios(db, codigoAtual))
        return recusa(QStringLiteral("Nenhum outro usuário tem acesso à tela \"Usuários\": %1. Marque "
                                     "\"Usuários\" para este usuário, ou dê antes esse acesso a outro.")
                          .arg(kSemUsuarios));

    QVariantList valores{f.usuario, f.senha};
    valores << (cad == kCadastroVazio ? QVariant() : dataParaBanco(*le_data_cadastro(cad)));
    for (bool p : f.permissoes) valores << int(p);

    ResultadoGravacao r;
    r.cadReescrito = cadReescrito;
    r.novo = novo;
    if (novo) {
        // The highest code of all rows, deleted users included, so a code is never reused.
        const QVariant maior = db.valor(QStringLiteral("SELECT max(codigo) FROM usuarios"));
        r.codigo = maior.isNull() ? 1 : maior.toInt() + 1;
        valores.prepend(r.codigo);
        db.executa(QStringLiteral("INSERT INTO usuarios (codigo, usuario, senha, data_cadastro, "
                                  "usu, men, con, lis, rel, ger, bac, pri) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   valores);
    } else {
        valores << codigoAtual;
        QSqlQuery q = db.executa(
            QStringLiteral("UPDATE usuarios SET usuario = ?, senha = ?, data_cadastro = ?, "
                           "usu = ?, men = ?, con = ?, lis = ?, rel = ?, ger = ?, bac = ?, "
                           "pri = ? WHERE codigo = ?"),
            valores);
        if (q.numRowsAffected() < 1)
            return recusa(QStringLiteral("Usuário não encontrado: os dados não foram gravados."));
        r.codigo = codigoAtual;
    }
    r.gravado = true;
    r.mensagem = QStringLiteral("Dados gravados com sucesso.");
    return r;
}

bool exclui_usuario(Banco& db, qint32 codigo) {
    QSqlQuery q = db.executa(QStringLiteral("UPDATE usuarios SET excluido = 1 WHERE codigo = ?"),
                             {codigo});
    return q.numRowsAffected() > 0;
}

std::optional<QString> recusa_exclusao_usuario(Banco& db, qint32 codigo) {
    if (!db.existe(QStringLiteral("SELECT 1 FROM usuarios WHERE codigo = ? AND usu <> 0 AND excluido = 0"),
                   {codigo}) ||
        outroComUsuarios(db, codigo))
        return std::nullopt;
    return QStringLiteral("Este é o único usuário com acesso à tela \"Usuários\": %1. Dê antes esse "
                          "acesso a outro usuário, e então exclua este.")
        .arg(kSemUsuarios);
}
