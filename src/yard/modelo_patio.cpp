#include "yard/modelo_patio.h"

#include "data/datas.h"
#include "data/ordem_geral.h"

#include <QHeaderView>

#include <sqlite3.h>

#include <algorithm>
#include <memory>

namespace {

// The columns the list reads, in the order of its query.
#define CAMPOS_LISTA \
    "SELECT rowid, prisma, placa, data_entrada, hora_entrada, mensalista IS NULL FROM veiculos_patio"

// Runs a statement kept by the connection that gives one number.
qint64 numero(Banco& db, const char* sql) {
    sqlite3_stmt* st = db.preparado(sql);
    if (sqlite3_step(st) != SQLITE_ROW) {
        sqlite3_reset(st);
        db.falhaNativa();
    }
    const qint64 n = sqlite3_column_int64(st, 0);
    sqlite3_reset(st);
    return n;
}

std::string_view texto(sqlite3_stmt* s, int coluna) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, coluna));
    return p ? std::string_view(p, size_t(sqlite3_column_bytes(s, coluna))) : std::string_view();
}

bool digitos(std::string_view t, std::initializer_list<int> posicoes) {
    for (int i : posicoes)
        if (t[size_t(i)] < '0' || t[size_t(i)] > '9') return false;
    return true;
}

int algarismos(std::string_view t, int de, int ate) {
    int n = 0;
    for (int i = de; i < ate; ++i) n = n * 10 + (t[size_t(i)] - '0');
    return n;
}

// "yyyy-MM-dd" as "dd/MM/yy"; what is not a stored date goes through the general reading.
QString dataLista(sqlite3_stmt* s, int coluna) {
    if (sqlite3_column_type(s, coluna) == SQLITE_NULL) return {};
    const std::string_view t = texto(s, coluna);
    if (t.size() == 10 && t[4] == '-' && t[7] == '-' && digitos(t, {0, 1, 2, 3, 5, 6, 8, 9}) &&
        QDate::isValid(algarismos(t, 0, 4), algarismos(t, 5, 7), algarismos(t, 8, 10))) {
        const char d[8] = {t[8], t[9], '/', t[5], t[6], '/', t[2], t[3]};
        return QString::fromLatin1(d, 8);
    }
    return dataDoBanco(QString::fromUtf8(t.data(), qsizetype(t.size())))
        .toString(QStringLiteral("dd/MM/yy"));
}

// "HH:mm:ss" as stored; anything else through the general reading.
QString horaLista(sqlite3_stmt* s, int coluna) {
    if (sqlite3_column_type(s, coluna) == SQLITE_NULL) return {};
    const std::string_view t = texto(s, coluna);
    if (t.size() == 8 && t[2] == ':' && t[5] == ':' && digitos(t, {0, 1, 3, 4, 6, 7}) &&
        QTime::isValid(algarismos(t, 0, 2), algarismos(t, 3, 5), algarismos(t, 6, 8)))
        return QString::fromLatin1(t.data(), 8);
    return horaHms(horaDoBanco(QString::fromUtf8(t.data(), qsizetype(t.size()))));
}

LinhaPatio leLinha(sqlite3_stmt* s) {
    LinhaPatio l;
    l.id = sqlite3_column_int64(s, 0);
    l.temPrisma = sqlite3_column_type(s, 1) != SQLITE_NULL;
    l.prisma = l.temPrisma ? sqlite3_column_int(s, 1) : 0;
    l.temPlaca = sqlite3_column_type(s, 2) != SQLITE_NULL;
    const std::string_view placa = texto(s, 2);
    l.placa = QString::fromUtf8(placa.data(), qsizetype(placa.size()));
    l.celulas[0] = l.temPrisma ? QString::number(l.prisma) : QString();
    l.celulas[1] = l.placa;
    l.celulas[2] = dataLista(s, 3);
    l.celulas[3] = horaLista(s, 4);
    l.avulso = sqlite3_column_int(s, 5) != 0;
    return l;
}

// The order of the list: no tag first, then tags ascending; by plate in the general sort
// order (no plate first); entry order (rowid) last.
bool naOrdem(const LinhaPatio* a, const LinhaPatio* b) {
    if (a->temPrisma != b->temPrisma) return !a->temPrisma;
    if (a->temPrisma && a->prisma != b->prisma) return a->prisma < b->prisma;
    if (a->temPlaca != b->temPlaca) return !a->temPlaca;
    if (a->temPlaca) {
        const int c = comparaOrdemGeral(a->placa, b->placa);
        if (c != 0) return c < 0;
    }
    return a->id < b->id;
}

}  // namespace

ModeloPatio::ModeloPatio(QObject* parent)
    : QAbstractTableModel(parent),
      titulos_{QStringLiteral("Pr."), QStringLiteral("Placa"), QStringLiteral("Data Ent."),
               QStringLiteral("Hora Ent.")} {}

void ModeloPatio::recarrega(Banco& db) {
    const qint64 versao = numero(db, "PRAGMA data_version");
    sqlite3_stmt* st = db.preparado(CAMPOS_LISTA " ORDER BY prisma, placa, rowid");
    std::vector<LinhaPatio*> novas;
    std::unordered_map<qint64, std::unique_ptr<LinhaPatio>> porId;
    int avulsos = 0;
    int r;
    while ((r = sqlite3_step(st)) == SQLITE_ROW) {
        auto l = std::make_unique<LinhaPatio>(leLinha(st));
        novas.push_back(l.get());
        avulsos += l->avulso;
        const qint64 id = l->id;
        porId.emplace(id, std::move(l));
    }
    sqlite3_reset(st);
    if (r != SQLITE_DONE) db.falhaNativa();
    beginResetModel();
    linhas_ = std::move(novas);
    porId_ = std::move(porId);
    avulsos_ = avulsos;
    versao_ = versao;
    endResetModel();
}

bool ModeloPatio::emDia(Banco& db, int ajuste) {
    return numero(db, "PRAGMA data_version") == versao_ &&
           numero(db, "SELECT count(*) FROM veiculos_patio") == total() + ajuste;
}

int ModeloPatio::entrou(Banco& db, qint64 id) {
    if (!emDia(db, 1)) {
        recarrega(db);
        return -1;
    }
    sqlite3_stmt* st = db.preparado(CAMPOS_LISTA " WHERE rowid = ?");
    sqlite3_bind_int64(st, 1, id);
    if (sqlite3_step(st) != SQLITE_ROW) {
        sqlite3_reset(st);
        recarrega(db);
        return -1;
    }
    auto l = std::make_unique<LinhaPatio>(leLinha(st));
    sqlite3_reset(st);
    if (porId_.count(l->id)) {   // already listed: the list no longer matches the table
        recarrega(db);
        return -1;
    }
    const auto pos = std::upper_bound(linhas_.begin(), linhas_.end(), l.get(), naOrdem);
    const int linha = int(pos - linhas_.begin());
    beginInsertRows({}, linha, linha);
    avulsos_ += l->avulso;
    linhas_.insert(pos, l.get());
    const qint64 chave = l->id;
    porId_.emplace(chave, std::move(l));
    endInsertRows();
    return linha;
}

void ModeloPatio::saiu(Banco& db, qint64 id) {
    // The row must be one the list holds, and no other program may have changed the table since
    // the list read it; the lanes of this program announce every row they add or delete.
    const auto dono = porId_.find(id);
    if (dono == porId_.end() || numero(db, "PRAGMA data_version") != versao_) return recarrega(db);
    const LinhaPatio* l = dono->second.get();
    const auto pos = std::lower_bound(linhas_.begin(), linhas_.end(), l, naOrdem);
    if (pos == linhas_.end() || *pos != l) return recarrega(db);
    const int linha = int(pos - linhas_.begin());
    beginRemoveRows({}, linha, linha);
    avulsos_ -= l->avulso;
    linhas_.erase(pos);
    porId_.erase(dono);
    endRemoveRows();
}

QString ModeloPatio::texto(int linha, int coluna) const {
    if (linha < 0 || linha >= total() || coluna < 0 || coluna > 3) return {};
    return linhas_[size_t(linha)]->celulas[coluna];
}

void ModeloPatio::defineTitulos(const QStringList& titulos) {
    for (int i = 0; i < 4 && i < titulos.size(); ++i) titulos_[i] = titulos[i];
    emit headerDataChanged(Qt::Horizontal, 0, 3);
}

int ModeloPatio::rowCount(const QModelIndex& pai) const { return pai.isValid() ? 0 : total(); }

int ModeloPatio::columnCount(const QModelIndex& pai) const { return pai.isValid() ? 0 : 4; }

QVariant ModeloPatio::data(const QModelIndex& indice, int papel) const {
    if (papel != Qt::DisplayRole || !indice.isValid()) return {};
    return texto(indice.row(), indice.column());
}

QVariant ModeloPatio::headerData(int secao, Qt::Orientation orientacao, int papel) const {
    if (papel != Qt::DisplayRole || orientacao != Qt::Horizontal || secao < 0 || secao > 3)
        return QAbstractTableModel::headerData(secao, orientacao, papel);
    return titulos_[secao];
}

namespace {

// The list's row header. Its rows are all of one height and it is never shown, so a row that
// leaves can be taken off its end: Qt's own handling of a removed row walks every one of the
// 20,000 rows a busy yard holds, at each exit.
class CabecalhoLinhas : public QHeaderView {
public:
    explicit CabecalhoLinhas(QWidget* pai) : QHeaderView(Qt::Vertical, pai) {}

    void setModel(QAbstractItemModel* modelo) override {
        if (model()) disconnect(model(), &QAbstractItemModel::rowsRemoved, this, nullptr);
        QHeaderView::setModel(modelo);
        if (!modelo) return;
        disconnect(modelo, &QAbstractItemModel::rowsRemoved, this, nullptr);
        connect(modelo, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex& pai) {
            if (pai.isValid()) return;
            // Every section is alike: the one taken off is the last, which costs nothing.
            const int restam = model()->rowCount();
            if (restam > 0) initializeSections(restam - 1, restam - 1);
            else initializeSections();
        });
    }
};

}  // namespace

GradePatio::GradePatio(QWidget* parent) : QTableView(parent), modelo_(new ModeloPatio(this)) {
    setVerticalHeader(new CabecalhoLinhas(this));
    setModel(modelo_);
}
